#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "platform/FileStream.h"
#include "platform/MemoryStream.h"

namespace fs = std::filesystem;

namespace {

// Hands out one byte per call, as a pipe may.
class TrickleStream : public Stream {
 public:
  explicit TrickleStream(std::string bytes) : inner_(std::move(bytes)) {}
  std::size_t Read(void* buffer, std::size_t count) override {
    return inner_.Read(buffer, count > 0 ? 1 : 0);
  }
  std::size_t Write(const void*, std::size_t) override { return 0; }

 private:
  MemoryStream inner_;
};

template <typename F>
std::string ErrorOf(F action) {
  try {
    action();
  } catch (const StreamError& e) {
    return e.what();
  }
  return "(no error)";
}

class FileStreamTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "tavelon-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::string Path(const std::string& name) const { return (folder_ / name).string(); }
  static std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
  }
  void Put(const std::string& name, const std::string& bytes) const {
    std::ofstream(Path(name), std::ios::binary) << bytes;
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_)) {
      names.push_back(entry.path().filename().string());
    }
    return names;
  }

  fs::path folder_;
};

}  // namespace

TEST(StreamTest, ReadReturnsWhatIsLeftAndZeroAtTheEnd) {
  MemoryStream stream("abc");
  char buffer[8];
  EXPECT_EQ(stream.Read(buffer, 2), 2u);
  EXPECT_EQ(stream.Read(buffer, 8), 1u);
  EXPECT_EQ(buffer[0], 'c');
  EXPECT_EQ(stream.Read(buffer, 8), 0u);
}

TEST(StreamTest, ExactReadFailsWithTheReadErrorWhenBytesAreMissing) {
  MemoryStream stream("ab");
  char buffer[3];
  EXPECT_EQ(ErrorOf([&] { stream.ReadBuffer(buffer, 3); }), "Stream-Lesefehler");
}

TEST(StreamTest, ExactReadAndWriteCollectPartialTransfers) {
  TrickleStream trickle("Anweisung");
  char buffer[9];
  trickle.ReadBuffer(buffer, 9);
  EXPECT_EQ(std::string(buffer, 9), "Anweisung");
  EXPECT_EQ(ErrorOf([&] { trickle.WriteString("x"); }), "Stream-Schreibfehler");
}

TEST(StreamTest, MemoryStreamWritesAtItsPositionAndGrows) {
  MemoryStream stream("B:abc");
  stream.Seek(2);
  stream.WriteString("xyzw");
  EXPECT_EQ(stream.Bytes(), "B:xyzw");
  EXPECT_EQ(stream.Position(), 6u);
}

TEST_F(FileStreamTest, OpenAndCreateFailuresNameThePath) {
  std::string missing = Path(
      "f\xC3\xBC"
      "r.str");
  EXPECT_EQ(ErrorOf([&] { FileStream::OpenRead(missing); }), "Datei " + missing +
                                                                 " kann nicht ge\xC3\xB6"
                                                                 "ffnet werden");
  EXPECT_EQ(ErrorOf([&] { FileStream::OpenRead(folder_.string()); }), "Datei " + folder_.string() +
                                                                          " kann nicht ge\xC3\xB6"
                                                                          "ffnet werden");
  std::string unreachable = Path("fehlt/neu.str");
  EXPECT_EQ(ErrorOf([&] { FileStream::Create(unreachable); }),
            "Datei " + unreachable + " kann nicht erstellt werden");
  EXPECT_EQ(ErrorOf([&] { FileStream::Create(folder_.string()); }),
            "Datei " + folder_.string() + " kann nicht erstellt werden");
}

TEST_F(FileStreamTest, ReadsAFileToItsEnd) {
  Put("a.str", "B:x\x01\x02\x02");
  auto stream = FileStream::OpenRead(Path("a.str"));
  char buffer[16];
  EXPECT_EQ(stream->Read(buffer, sizeof buffer), 6u);
  EXPECT_EQ(ErrorOf([&] { stream->ReadBuffer(buffer, 1); }), "Stream-Lesefehler");
}

TEST_F(FileStreamTest, ReadsOfEverySizeReturnTheBytesInOrder) {
  // Long enough for several chunks of read-ahead; small reads cross the chunks' borders.
  std::string bytes(300001, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7 % 251);
  Put("big.str", bytes);
  auto stream = FileStream::OpenRead(Path("big.str"));
  std::string read;
  std::vector<char> buffer(100000);
  for (std::size_t size : {1, 3, 65533, 2, 100000, 7, 65536, 5}) {
    std::size_t got = stream->Read(buffer.data(), size);
    ASSERT_EQ(got, size);
    read.append(buffer.data(), got);
  }
  while (std::size_t got = stream->Read(buffer.data(), 4096)) read.append(buffer.data(), got);
  EXPECT_EQ(read, bytes);
  EXPECT_EQ(stream->Read(buffer.data(), 1), 0u);
}

TEST_F(FileStreamTest, CreatedFileReplacesTheTargetOnlyOnCommit) {
  Put("a.str", "alt");
  chmod(Path("a.str").c_str(), 0640);
  auto stream = FileStream::Create(Path("a.str"));
  stream->WriteString("neu");
  EXPECT_EQ(Contents(Path("a.str")), "alt");
  stream->Commit();
  EXPECT_EQ(Contents(Path("a.str")), "neu");
  EXPECT_EQ(fs::status(Path("a.str")).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  stream.reset();
  EXPECT_EQ(Names(), std::vector<std::string>{"a.str"});
}

TEST_F(FileStreamTest, AbandonedWriteLeavesTargetAndNoTemporaryFile) {
  Put("a.str", "alt");
  FileStream::Create(Path("a.str"))->WriteString("halb");
  EXPECT_EQ(Contents(Path("a.str")), "alt");
  EXPECT_EQ(Names(), std::vector<std::string>{"a.str"});
}

// A file size limit makes the disk "full" for this process only.
TEST_F(FileStreamTest, FailingWriteKeepsTheTargetAndReportsTheWriteError) {
  Put("a.str", "alt");
  rlimit old;
  getrlimit(RLIMIT_FSIZE, &old);
  rlimit small = old;
  small.rlim_cur = 4096;
  auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  setrlimit(RLIMIT_FSIZE, &small);
  std::string error = ErrorOf([&] {
    auto stream = FileStream::Create(Path("a.str"));
    stream->WriteString(std::string(100000, 'x'));
    stream->Commit();
  });
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(error, "Stream-Schreibfehler");
  EXPECT_EQ(Contents(Path("a.str")), "alt");
  EXPECT_EQ(Names(), std::vector<std::string>{"a.str"});
}

TEST(StandardStreamTest, WriteErrorOnStandardOutputIsReported) {
  int saved = dup(STDOUT_FILENO);
  int full = open("/dev/full", O_WRONLY);
  ASSERT_GE(full, 0);
  dup2(full, STDOUT_FILENO);
  auto out = FileStream::StandardOutput();
  dup2(saved, STDOUT_FILENO);
  close(full);
  close(saved);
  out->WriteString("Anweisung\r\n");
  EXPECT_EQ(ErrorOf([&] { out->Commit(); }), "Stream-Schreibfehler");
}

// What cannot be replaced is written in place: a named pipe stays a pipe and its reader gets
// the bytes, /dev/null takes them, and /dev/full fails as a full disk does.
TEST_F(FileStreamTest, NamedPipesAndDevicesAreWrittenDirectly) {
  ASSERT_EQ(mkfifo(Path("rohr").c_str(), 0600), 0);
  const int reader = open(Path("rohr").c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  auto stream = FileStream::Create(Path("rohr"));
  stream->WriteString("B:x");
  stream->Commit();
  stream.reset();
  char buffer[8] = {};
  EXPECT_EQ(read(reader, buffer, sizeof buffer), 3);
  close(reader);
  EXPECT_EQ(std::string(buffer), "B:x");
  EXPECT_TRUE(fs::is_fifo(Path("rohr")));
  EXPECT_EQ(Names(), std::vector<std::string>{"rohr"});
  auto null = FileStream::Create("/dev/null");
  null->WriteString("x");
  EXPECT_EQ(ErrorOf([&] { null->Commit(); }), "(no error)");
  auto full = FileStream::Create("/dev/full");
  full->WriteString("x");
  EXPECT_EQ(ErrorOf([&] { full->Commit(); }), "Stream-Schreibfehler");
}

// A descriptor the program holds is written through, where it stands and in its append mode,
// even when it leads to a file; one that is not open cannot be created.
TEST_F(FileStreamTest, NamedDescriptorsAreWrittenThrough) {
  Put("log", "Kopf\n");
  const int appending = open(Path("log").c_str(), O_WRONLY | O_APPEND);
  ASSERT_GE(appending, 0);
  auto stream = FileStream::Create("/dev/fd/" + std::to_string(appending));
  stream->WriteString("Text\n");
  stream->Commit();
  stream.reset();
  close(appending);
  EXPECT_EQ(Contents(Path("log")), "Kopf\nText\n");
  EXPECT_EQ(Names(), std::vector<std::string>{"log"});
  int ends[2];
  ASSERT_EQ(pipe(ends), 0);
  auto piped = FileStream::Create("/proc/self/fd/" + std::to_string(ends[1]));
  piped->WriteString("abc");
  piped->Commit();
  piped.reset();
  close(ends[1]);
  char buffer[8] = {};
  EXPECT_EQ(read(ends[0], buffer, sizeof buffer), 3);
  close(ends[0]);
  EXPECT_EQ(ErrorOf([] { FileStream::Create("/dev/fd/987654"); }),
            "Datei /dev/fd/987654 kann nicht erstellt werden");
}
