/* Cocoa view factories: how a host gets an audio unit's editor view. A unit that has an editor answers
   kAudioUnitProperty_CocoaUI with the URL of a bundle and the name of a factory class in it. The platform
   declares the factory's interface as the Objective-C protocol AUCocoaUIBase and finds the class with
   NSClassFromString; this system has no Objective-C runtime, so the protocol is an abstract C++ class and
   a class is registered under its name by a C-linkage function of exactly that name, exported by the
   bundle, which makes a new instance (alloc + init). A host finds it with
   CFBundleGetFunctionPointerForName(CFBundleCreate(NULL, mCocoaAUViewBundleLocation), mCocoaAUViewClass[0]).
   Everything here runs on the main thread. */
#ifndef AudioUnit_AUCocoaUIView_h
#define AudioUnit_AUCocoaUIView_h

#include <AudioUnit/AUComponent.h>

CF_EXTERN_C_BEGIN

typedef double CGFloat;

struct CGSize {
  CGFloat width;  /* points */
  CGFloat height; /* points */
};
typedef struct CGSize CGSize;
typedef CGSize NSSize;

/* The platform's view object; opaque here, and what the plug-in's graphics layer makes. */
typedef struct NSView NSView;

CF_EXTERN_C_END

#ifdef __cplusplus
/* A Cocoa view factory. Instances are made by the class's registration function and deleted by the host. */
class AUCocoaUIBase {
public:
  virtual ~AUCocoaUIBase() {}
  /* Version of this interface the class implements: 0. */
  virtual unsigned interfaceVersion() = 0;
  /* A new editor view for inAudioUnit, which the host adds to its own window and owns; NULL when the unit
     has none. inPreferredSize is a hint. */
  virtual NSView* uiViewForAudioUnit(AudioUnit inAudioUnit, NSSize inPreferredSize) = 0;
  /* NSObject's description: a new string naming the factory (caller owns). */
  virtual CFStringRef description() = 0;
};

CF_EXTERN_C_BEGIN
/* A view factory class's registration function: a new instance (caller deletes it), or NULL. */
typedef AUCocoaUIBase* (*AUCocoaUIClassFunction)(void);
CF_EXTERN_C_END
#endif

#endif
