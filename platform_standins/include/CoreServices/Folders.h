/* The Folder Manager: where the user's and the machine's standard folders are. On this system the
   answers follow the XDG conventions:
     user domain   home $HOME; desktop, documents, music, movies, pictures, downloads from
                   $XDG_CONFIG_HOME/user-dirs.dirs (else the XDG_..._DIR variables, else $HOME/Desktop ...);
                   application support $XDG_DATA_HOME (~/.local/share); preferences $XDG_CONFIG_HOME
                   (~/.config); caches $XDG_CACHE_HOME (~/.cache); library ~/.local/lib
     local domain  application support /usr/local/share; library /usr/local/lib; caches /var/cache
     system domain application support /usr/share; library /usr/lib
   The audio folders lie inside the domain's library: Audio, Audio/Plug-Ins, Audio/Plug-Ins/Components,
   Audio/Presets. The temporary folder is $TMPDIR (else /tmp) in every domain. kOnSystemDisk and
   kOnAppropriateDisk stand for the user domain. */
#ifndef __FOLDERS__
#define __FOLDERS__

#include <CoreServices/Files.h>

CF_EXTERN_C_BEGIN

enum {
  kOnSystemDisk = -32768,
  kOnAppropriateDisk = -32767,
  kSystemDomain = -32766,
  kLocalDomain = -32765,
  kNetworkDomain = -32764,
  kUserDomain = -32763
};

enum { kCreateFolder = 1, kDontCreateFolder = 0 };

enum {
  kDesktopFolderType = 0x6465736B,            /* 'desk' */
  kCurrentUserFolderType = 0x63757372,        /* 'cusr' */
  kDocumentsFolderType = 0x646F6373,          /* 'docs' */
  kMusicDocumentsFolderType = 0xB5646F63,     /* 'µdoc' */
  kMovieDocumentsFolderType = 0x6D646F63,     /* 'mdoc' */
  kPictureDocumentsFolderType = 0x70646F63,   /* 'pdoc' */
  kDownloadsFolderType = 0x646F776E,          /* 'down' */
  kApplicationSupportFolderType = 0x61737570, /* 'asup' */
  kDomainLibraryFolderType = 0x646C6962,      /* 'dlib' */
  kPreferencesFolderType = 0x70726566,        /* 'pref' */
  kCachedDataFolderType = 0x63616368,         /* 'cach' */
  kTemporaryFolderType = 0x74656D70,          /* 'temp' */
  kAudioSupportFolderType = 0x6164696F,       /* 'adio' */
  kAudioPlugInsFolderType = 0x61706C67,       /* 'aplg' */
  kAudioComponentsFolderType = 0x61636D70,    /* 'acmp' */
  kAudioPresetsFolderType = 0x61707374        /* 'apst' */
};

/* Finds the folder of folderType in the domain vRefNum, creating it (and its parents) when createFolder is true; fills *foundRef. fnfErr when the folder does not exist (and was not to be created or could not be), the type is unknown or the domain has no such folder; paramErr for a NULL foundRef. */
extern OSErr FSFindFolder(FSVolumeRefNum vRefNum, OSType folderType, Boolean createFolder, FSRef* foundRef);

CF_EXTERN_C_END

#endif
