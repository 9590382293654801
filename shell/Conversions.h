#pragma once

#include <string>
#include <string_view>

#include "model/Block.h"

// The conversions the command line offers, each working the way the matching menu command
// does. Paths follow CommandLine: "-" is a standard stream, an empty output path is standard
// output. Failures throw StreamError with the message the user sees.

// All bytes of the file at path, or of standard input for "-".
std::string ReadInputBytes(const std::string& path);
// Writes bytes to the file at path completely or not at all, or to standard output.
void WriteOutputBytes(const std::string& path, std::string_view bytes);

// Reads a design as the load command does.
BlockPtr LoadDesignFile(const std::string& path);
// The design's program text as "Exportieren" writes it: no indentation, Windows-1252 bytes.
std::string ExportProgramText(const TBlock& root);
// Program text read from a file, as the Windows-1252 text the interpreter takes: UTF-8 when
// the bytes begin with its byte-order mark or are well-formed UTF-8 holding a character
// beyond ASCII (a character Windows-1252 lacks becomes "?"), else the bytes as they stand.
std::string ProgramTextFromFile(std::string_view bytes);
// A design built from program text as pasting builds it: a new root, not movable, no braces.
BlockPtr ImportProgramText(const std::string& text);
// The design's file bytes as "Flussdiagramm speichern" writes them.
std::string SaveDesignBytes(const TBlock& root);

// --export-text, in UTF-8 rather than Windows-1252 when asked, and --import-text.
void ExportTextFile(const std::string& input, const std::string& output, bool utf8 = false);
void ImportTextFile(const std::string& input, const std::string& output);
