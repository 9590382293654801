#include "platform/FileStream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

std::string FolderOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A symbolic link is followed, so that saving replaces the file it points to, not the link.
std::string ResolveTarget(const std::string& path) {
  struct stat info;
  if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  char resolved[PATH_MAX];
  return realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

// The mode a plain create would give: the old target's, else 0666 less the umask.
mode_t ModeFor(const std::string& target) {
  struct stat info;
  if (stat(target.c_str(), &info) == 0) return info.st_mode & 07777;
  mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

// Refuses what a plain create would refuse: a folder, or a file the user may not write.
bool MayReplace(const std::string& target) {
  struct stat info;
  if (stat(target.c_str(), &info) != 0) return true;
  return S_ISREG(info.st_mode) && access(target.c_str(), W_OK) == 0;
}

std::FILE* Duplicate(int fd, const char* mode) {
  int copy = dup(fd);
  if (copy < 0) return nullptr;
  std::FILE* file = fdopen(copy, mode);
  if (!file) close(copy);
  return file;
}

// The descriptor that "/dev/stdout", "/dev/stderr", "/dev/fd/N" or "/proc/self/fd/N" names,
// or -1. Written through that descriptor, output keeps the caller's position and append mode
// even where it leads to a file.
int DescriptorNamed(const std::string& path) {
  if (path == "/dev/stdout") return STDOUT_FILENO;
  if (path == "/dev/stderr") return STDERR_FILENO;
  for (std::string_view folder : {"/dev/fd/", "/proc/self/fd/"}) {
    if (!path.starts_with(folder)) continue;
    const std::string number = path.substr(folder.size());
    const bool digits = !number.empty() && number.size() <= 9 &&
                        number.find_first_not_of("0123456789") == std::string::npos;
    return digits ? std::stoi(number) : -1;
  }
  return -1;
}

bool IsStreamDevice(mode_t mode) { return S_ISCHR(mode) || S_ISFIFO(mode); }

// A character device or a named pipe cannot be replaced, and needs no replacing: it is
// written directly, as a shell's redirection writes it.
std::FILE* OpenStreamDevice(const std::string& target) {
  struct stat info;
  if (stat(target.c_str(), &info) != 0 || !IsStreamDevice(info.st_mode)) return nullptr;
  const int fd = open(target.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  std::FILE* file =
      fstat(fd, &info) == 0 && IsStreamDevice(info.st_mode) ? fdopen(fd, "wb") : nullptr;
  if (!file) close(fd);
  return file;
}

// The error for reading what is no regular file; a folder keeps the plain open error.
StreamError NotARegularFile(const std::string& path, const struct stat& info) {
  return StreamError(S_ISDIR(info.st_mode) ? StreamMessages::CannotOpen(path)
                                           : StreamMessages::NotAFile(path));
}

}  // namespace

FileStream::FileStream(std::FILE* file, std::string target, std::string temporary)
    : file_(file), target_(std::move(target)), temporary_(std::move(temporary)) {}

FileStream::~FileStream() {
  if (!target_.empty()) {
    Discard();
  } else if (file_) {
    std::fclose(file_);
  }
}

std::unique_ptr<FileStream> FileStream::OpenRead(const std::string& path) {
  // Only a regular file has an end: a device may deliver bytes for ever, and a named pipe
  // would block the open until a writer comes. Such a path is refused before it is opened,
  // and the open itself does not wait, should the path be swapped in between.
  struct stat info;
  if (stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) throw NotARegularFile(path, info);
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) throw StreamError(StreamMessages::CannotOpen(path));
  if (fstat(fd, &info) != 0) info.st_mode = S_IFDIR;
  if (!S_ISREG(info.st_mode)) {
    close(fd);
    throw NotARegularFile(path, info);
  }
  std::FILE* file = fcntl(fd, F_SETFL, 0) == 0 ? fdopen(fd, "rb") : nullptr;
  if (!file) {
    close(fd);
    throw StreamError(StreamMessages::CannotOpen(path));
  }
  return std::unique_ptr<FileStream>(new FileStream(file, {}, {}));
}

std::unique_ptr<FileStream> FileStream::Create(const std::string& path) {
  const int descriptor = DescriptorNamed(path);
  if (std::FILE* file = descriptor >= 0 ? Duplicate(descriptor, "wb") : nullptr) {
    return std::unique_ptr<FileStream>(new FileStream(file, {}, {}));
  }
  std::string target = ResolveTarget(path);
  if (std::FILE* file = path.empty() ? nullptr : OpenStreamDevice(target)) {
    return std::unique_ptr<FileStream>(new FileStream(file, {}, {}));
  }
  if (!path.empty() && MayReplace(target)) {
    std::string temporary = FolderOf(target) + "/." + NameOf(target) + ".XXXXXX";
    int fd = mkstemp(temporary.data());
    if (fd >= 0) {
      std::FILE* file = fchmod(fd, ModeFor(target)) == 0 ? fdopen(fd, "wb") : nullptr;
      if (file) return std::unique_ptr<FileStream>(new FileStream(file, target, temporary));
      close(fd);
      unlink(temporary.c_str());
    }
  }
  throw StreamError(StreamMessages::CannotCreate(path));
}

std::unique_ptr<FileStream> FileStream::StandardInput() {
  return std::unique_ptr<FileStream>(new FileStream(Duplicate(STDIN_FILENO, "rb"), {}, {}));
}

std::unique_ptr<FileStream> FileStream::StandardOutput() {
  return std::unique_ptr<FileStream>(new FileStream(Duplicate(STDOUT_FILENO, "wb"), {}, {}));
}

std::size_t FileStream::Read(void* buffer, std::size_t count) {
  if (!file_) throw StreamError(StreamMessages::ReadError);
  auto* out = static_cast<char*>(buffer);
  std::size_t done = TakeReadAhead(out, count);
  if (done == count) return done;
  // A design is read field by field, a few bytes at a time; reading ahead in chunks makes
  // that one library call per chunk instead of one per field.
  if (count - done >= ReadChunk) return done + ReadFile(out + done, count - done);
  readAhead_.resize(ReadChunk);
  readAhead_.resize(ReadFile(readAhead_.data(), ReadChunk));
  readAt_ = 0;
  return done + TakeReadAhead(out + done, count - done);
}

std::size_t FileStream::TakeReadAhead(char* out, std::size_t count) {
  const std::size_t taken = std::min(count, readAhead_.size() - readAt_);
  std::memcpy(out, readAhead_.data() + readAt_, taken);
  readAt_ += taken;
  return taken;
}

std::size_t FileStream::ReadFile(char* out, std::size_t count) {
  std::size_t got = std::fread(out, 1, count, file_);
  if (got < count && std::ferror(file_)) throw StreamError(StreamMessages::ReadError);
  return got;
}

std::size_t FileStream::Write(const void* buffer, std::size_t count) {
  return file_ ? std::fwrite(buffer, 1, count, file_) : 0;
}

void FileStream::Commit() {
  if (!file_) throw StreamError(StreamMessages::WriteError);
  bool written = std::fflush(file_) == 0 && !std::ferror(file_);
  if (target_.empty()) {
    if (!written) throw StreamError(StreamMessages::WriteError);
    return;
  }
  // The data must be on the disk before the rename makes it the target.
  written = written && fsync(fileno(file_)) == 0;
  written = std::fclose(file_) == 0 && written;
  file_ = nullptr;
  if (!written || std::rename(temporary_.c_str(), target_.c_str()) != 0) {
    Discard();
    throw StreamError(StreamMessages::WriteError);
  }
  target_.clear();
  temporary_.clear();
}

void FileStream::Discard() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
  unlink(temporary_.c_str());
  target_.clear();
  temporary_.clear();
}

std::string ReadAllFromStdin() {
  std::string bytes;
  char chunk[65536];
  std::size_t got;
  auto in = FileStream::StandardInput();
  while ((got = in->Read(chunk, sizeof chunk)) > 0) bytes.append(chunk, got);
  return bytes;
}
