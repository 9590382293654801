// The main window's picture commands: the block the active window shows, drawn for paper as
// the command line draws it, saved as a picture file or put on the clipboard.
#include "platform/FileStream.h"
#include "shell/Hauptfenster.h"
#include "shell/ShownBlockPicture.h"

namespace {

constexpr const char* PictureFilter =
    "PNG-Bild (*.png)|*.png|SVG-Grafik (*.svg)|*.svg|PDF-Dokument (*.pdf)|*.pdf";

// The filter's formats in its order, with their extensions.
struct FilterFormat {
  PictureFormat format;
  const char* extension;
};
constexpr FilterFormat FilterFormats[] = {
    {PictureFormat::Png, "png"}, {PictureFormat::Svg, "svg"}, {PictureFormat::Pdf, "pdf"}};

// The format a picture is saved in: the one the typed name's extension names, as the name
// states what the user wants; otherwise the chosen filter's, whose extension the name gets, so
// that the file's name never belies its content.
struct PictureTarget {
  std::string path;
  int filterIndex;
};

PictureTarget TargetOf(const std::string& path, int filterIndex) {
  constexpr int count = static_cast<int>(std::size(FilterFormats));
  if (const auto named = PictureFormatOf(path)) {
    for (int i = 0; i < count; ++i)
      if (FilterFormats[i].format == *named) return {path, i};
  }
  const int index = filterIndex >= 0 && filterIndex < count ? filterIndex : 0;
  return {path + "." + FilterFormats[index].extension, index};
}

}  // namespace

QByteArray TForm2::ActiveWindowPicture(PictureFormat format) {
  TForm1* window = ActiveWindow();
  if (!window) return {};
  return RenderShownBlock(*window->ShownBlock, format, FlowchartView(), window->Options->Collapsed);
}

void TForm2::AlsBildspeichern1Click() {
  if (!ActiveWindow()) return;
  PictureDialog1.Filter = PictureFilter;
  PictureDialog1.DefaultExt = FilterFormats[0].extension;
  if (!services_.dialogs.Execute(PictureDialog1)) return;
  const PictureTarget target = TargetOf(PictureDialog1.FileName, PictureDialog1.FilterIndex);
  // The picture is made before the file is touched, so a picture too large leaves it as it was.
  const QByteArray bytes = ActiveWindowPicture(FilterFormats[target.filterIndex].format);
  auto file = FileStream::Create(target.path);
  file->WriteBuffer(bytes.constData(), static_cast<size_t>(bytes.size()));
  file->Commit();
  PictureDialog1.FileName = target.path;
  PictureDialog1.FilterIndex = target.filterIndex;
}

void TForm2::AlsBildkopieren1Click() {
  if (!ActiveWindow()) return;
  const QByteArray png = ActiveWindowPicture(PictureFormat::Png);
  const QByteArray svg = ActiveWindowPicture(PictureFormat::Svg);
  services_.clipboard.SetFormats({{"image/png", png.toStdString()}, {"image/svg+xml", svg.toStdString()}});
}
