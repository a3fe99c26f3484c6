#pragma once

#include <cstdint>
#include <vector>

#include "IByteChunk.h"

namespace iplug
{

// The published VST 2 preset file formats: a program file (".fxp") holds one program, a bank file (".fxb")
// holds every program of a plug-in. All numbers are big-endian 32-bit; every block starts with "CcnK" and a
// byte size that counts what follows it. The records below are the parsed files; writing and reading are pure
// functions with no plug-in state, so a file can be validated completely before anything is applied.
// "Well-formed" is strict: right magics, format version, every byte size and chunk size exactly matching the bytes
// present, programs of a bank ending exactly at the end of the file. Version 1 banks keep 128 reserved bytes;
// version 2 banks record the current program in the first four of them.

// Size of the program name field, terminator included.
constexpr int kVST2ProgramNameSize = 28;

// One program: "FxCk" with one normalised float per parameter, or "FPCh" with an opaque chunk.
struct VST2Program
{
  bool isChunk = false;                      // opaque chunk form ("FPCh") rather than parameter form ("FxCk")
  int32_t fxID = 0;                          // the plug-in's unique code
  int32_t fxVersion = 0;                     // the plug-in's packed version
  int32_t numParams = 0;                     // parameter count; the number of floats in the parameter form
  char name[kVST2ProgramNameSize] = {};      // NUL-terminated program name
  std::vector<float> params;                 // parameter form: normalised values, numParams of them
  IByteChunk chunk;                          // chunk form: the opaque bytes
};

// A bank: "FxBk" with one parameter-form program per slot, or "FBCh" with one opaque chunk for all of them.
struct VST2Bank
{
  bool isChunk = false;                      // opaque chunk form ("FBCh") rather than program list ("FxBk")
  int32_t version = 2;                       // 1, or 2 when the current program is recorded
  int32_t fxID = 0;                          // the plug-in's unique code
  int32_t fxVersion = 0;                     // the plug-in's packed version
  int32_t numPrograms = 0;                   // program count; the size of programs in the list form
  int32_t currentProgram = 0;                // current program index; version 2 only (read as -1 from version 1)
  std::vector<VST2Program> programs;         // list form: parameter-form programs
  IByteChunk chunk;                          // chunk form: the opaque bytes
};

// Appends the file bytes of program to out; false for an inconsistent record or when memory runs out.
bool WriteVST2Program(const VST2Program& program, IByteChunk& out);

// Parses size bytes; true only when they are exactly one well-formed program (program then holds it).
bool ReadVST2Program(const uint8_t* data, int size, VST2Program& program);

// Appends the file bytes of bank to out; false for an inconsistent record or when memory runs out.
bool WriteVST2Bank(const VST2Bank& bank, IByteChunk& out);

// Parses size bytes; true only when they are exactly one well-formed bank of version 1 or 2 (bank then holds it).
bool ReadVST2Bank(const uint8_t* data, int size, VST2Bank& bank);

} // namespace iplug
