#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

// The one failure type of the file services; what() is the German message the user sees
// (UTF-8).
class StreamError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

namespace StreamMessages {
inline const char* const ReadError = "Stream-Lesefehler";
inline const char* const WriteError = "Stream-Schreibfehler";
inline const char* const OutOfMemory = "Nicht genügend Arbeitsspeicher";
std::string CannotOpen(const std::string& path);    // "Datei %s kann nicht geöffnet werden"
std::string CannotCreate(const std::string& path);  // "Datei %s kann nicht erstellt werden"
// "%s ist keine gewöhnliche Datei und kann nicht gelesen werden"
std::string NotAFile(const std::string& path);
}  // namespace StreamMessages

// A byte stream: read up to N bytes, read exactly N or fail, write exactly N or fail.
class Stream {
 public:
  virtual ~Stream() = default;

  // Reads up to count bytes; returns how many arrived (0 at the end).
  virtual std::size_t Read(void* buffer, std::size_t count) = 0;
  // Writes up to count bytes; returns how many were written.
  virtual std::size_t Write(const void* buffer, std::size_t count) = 0;

  // Exactly count bytes or StreamError("Stream-Lesefehler").
  void ReadBuffer(void* buffer, std::size_t count);
  // Exactly count bytes or StreamError("Stream-Schreibfehler").
  void WriteBuffer(const void* buffer, std::size_t count);
  void WriteString(const std::string& bytes) { WriteBuffer(bytes.data(), bytes.size()); }
};
