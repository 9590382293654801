#include "shell/Conversions.h"

#include <algorithm>

#include "model/Records.h"
#include "platform/Cp1252.h"
#include "platform/FileStream.h"
#include "platform/MemoryStream.h"
#include "shell/CommandLine.h"
#include "text/Interpret.h"

namespace {

bool IsStandardStream(const std::string& path) {
  return path.empty() || path == StandardStreamPath;
}

std::string ReadAll(Stream& stream) {
  std::string bytes;
  char chunk[65536];
  while (std::size_t got = stream.Read(chunk, sizeof chunk)) bytes.append(chunk, got);
  return bytes;
}

}  // namespace

std::string ReadInputBytes(const std::string& path) {
  if (path == StandardStreamPath) return ReadAllFromStdin();
  return ReadAll(*FileStream::OpenRead(path));
}

void WriteOutputBytes(const std::string& path, std::string_view bytes) {
  auto out = IsStandardStream(path) ? FileStream::StandardOutput() : FileStream::Create(path);
  out->WriteBuffer(bytes.data(), bytes.size());
  out->Commit();
}

BlockPtr LoadDesignFile(const std::string& path) {
  return LoadRootBlock(*FileStream::OpenRead(path));
}

std::string ExportProgramText(const TBlock& root) {
  std::string text;
  root.ExportText(text, "");
  return text;
}

std::string ProgramTextFromFile(std::string_view bytes) {
  constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
  if (bytes.starts_with(byteOrderMark)) return Cp1252::FromUtf8(bytes.substr(byteOrderMark.size()));
  const bool ascii = std::all_of(bytes.begin(), bytes.end(),
                                 [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  if (!ascii && Cp1252::IsUtf8(bytes)) return Cp1252::FromUtf8(bytes);
  return std::string(bytes);
}

BlockPtr ImportProgramText(const std::string& text) {
  BlockPtr root = ParseProgram(text);
  root->Movable = 0;
  root->Braced = 0;
  return root;
}

std::string SaveDesignBytes(const TBlock& root) {
  MemoryStream bytes;
  SaveRootBlock(root, bytes);
  return bytes.Bytes();
}

// Both conversions finish their result in memory before writing it, so that a failed read
// leaves nothing behind, not even on standard output.
void ExportTextFile(const std::string& input, const std::string& output, bool utf8) {
  const std::string text = ExportProgramText(*LoadDesignFile(input));
  WriteOutputBytes(output, utf8 ? Cp1252::ToUtf8(text) : text);
}

void ImportTextFile(const std::string& input, const std::string& output) {
  const std::string text = ProgramTextFromFile(ReadInputBytes(input));
  WriteOutputBytes(output, SaveDesignBytes(*ImportProgramText(text)));
}
