#pragma once

#include <cstdio>
#include <memory>
#include <string>

#include "platform/Stream.h"

// A buffered stream on a file, on standard input or on standard output.
//
// A file made with Create is written to a temporary file next to its target; Commit puts it in
// the target's place in one rename. Until then the target keeps its old contents, and a stream
// destroyed without Commit removes its temporary file, so a failed save never leaves a
// truncated design behind. What cannot be replaced is written directly: a character device
// (/dev/null, a terminal), a named pipe, and a descriptor the program holds, named as
// /dev/stdout, /dev/stderr, /dev/fd/N or /proc/self/fd/N (a pipe or process substitution).
class FileStream : public Stream {
 public:
  // Opens a regular file for reading. Throws StreamError(NotAFile(path)) for a folder, a
  // device or a named pipe, without waiting for it, and StreamError(CannotOpen(path)) when the
  // file cannot be opened.
  static std::unique_ptr<FileStream> OpenRead(const std::string& path);
  // Throws StreamError(CannotCreate(path)).
  static std::unique_ptr<FileStream> Create(const std::string& path);
  static std::unique_ptr<FileStream> StandardInput();
  static std::unique_ptr<FileStream> StandardOutput();

  FileStream(const FileStream&) = delete;
  FileStream& operator=(const FileStream&) = delete;
  ~FileStream() override;

  // Throws StreamError("Stream-Lesefehler") on a device error; 0 only at the end.
  std::size_t Read(void* buffer, std::size_t count) override;
  std::size_t Write(const void* buffer, std::size_t count) override;

  // Finishes writing: flushes the buffer and, for a created file, replaces the target.
  // Throws StreamError("Stream-Schreibfehler") when any of it fails; a created file's target
  // is then untouched.
  void Commit();

 private:
  FileStream(std::FILE* file, std::string target, std::string temporary);
  void Discard();
  std::size_t TakeReadAhead(char* out, std::size_t count);
  std::size_t ReadFile(char* out, std::size_t count);

  static constexpr std::size_t ReadChunk = 65536;

  std::FILE* file_;
  std::string target_;     // the file Commit replaces; empty unless made by Create
  std::string temporary_;  // where the bytes go until Commit
  std::string readAhead_;  // bytes read from the file and not yet handed out from readAt_
  std::size_t readAt_ = 0;
};

// All bytes of standard input (for command-line filters).
std::string ReadAllFromStdin();
