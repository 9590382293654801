#include "platform/Stream.h"

namespace {

std::string WithPath(std::string_view pattern, const std::string& path) {
  std::string text(pattern);
  text.replace(text.find("%s"), 2, path);
  return text;
}

}  // namespace

namespace StreamMessages {

std::string CannotOpen(const std::string& path) {
  return WithPath("Datei %s kann nicht geöffnet werden", path);
}

std::string CannotCreate(const std::string& path) {
  return WithPath("Datei %s kann nicht erstellt werden", path);
}

std::string NotAFile(const std::string& path) {
  return WithPath("%s ist keine gewöhnliche Datei und kann nicht gelesen werden", path);
}

}  // namespace StreamMessages

// Both loops accept partial transfers, as pipes and terminals deliver them; only a transfer
// of nothing at all is a failure.
void Stream::ReadBuffer(void* buffer, std::size_t count) {
  auto* bytes = static_cast<char*>(buffer);
  while (count > 0) {
    std::size_t got = Read(bytes, count);
    if (got == 0) throw StreamError(StreamMessages::ReadError);
    bytes += got;
    count -= got;
  }
}

void Stream::WriteBuffer(const void* buffer, std::size_t count) {
  const auto* bytes = static_cast<const char*>(buffer);
  while (count > 0) {
    std::size_t put = Write(bytes, count);
    if (put == 0) throw StreamError(StreamMessages::WriteError);
    bytes += put;
    count -= put;
  }
}
