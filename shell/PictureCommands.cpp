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

FilterFormat ChosenFormat(int filterIndex) {
  if (filterIndex < 0 || filterIndex >= static_cast<int>(std::size(FilterFormats))) return FilterFormats[0];
  return FilterFormats[filterIndex];
}

// The chosen filter decides the format; a name that ends in another extension gets the
// format's own, so that the file's name never belies its content.
std::string PicturePath(const std::string& path, FilterFormat chosen) {
  if (PictureFormatOf(path) == chosen.format) return path;
  return path + "." + chosen.extension;
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
  const FilterFormat chosen = ChosenFormat(PictureDialog1.FilterIndex);
  const std::string path = PicturePath(PictureDialog1.FileName, chosen);
  // The picture is made before the file is touched, so a picture too large leaves it as it was.
  const QByteArray bytes = ActiveWindowPicture(chosen.format);
  auto file = FileStream::Create(path);
  file->WriteBuffer(bytes.constData(), static_cast<size_t>(bytes.size()));
  file->Commit();
  PictureDialog1.FileName = path;
}

void TForm2::AlsBildkopieren1Click() {
  if (!ActiveWindow()) return;
  const QByteArray png = ActiveWindowPicture(PictureFormat::Png);
  const QByteArray svg = ActiveWindowPicture(PictureFormat::Svg);
  services_.clipboard.SetFormats({{"image/png", png.toStdString()}, {"image/svg+xml", svg.toStdString()}});
}
