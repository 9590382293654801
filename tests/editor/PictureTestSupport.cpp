#include "tests/editor/PictureTestSupport.h"

#include <QTemporaryDir>
#include <fstream>
#include <sstream>

#include "shell/Conversions.h"
#include "shell/ImageExport.h"

namespace editortest {

std::string ReadBytes(const std::string& path) {
  std::ostringstream bytes;
  bytes << std::ifstream(path, std::ios::binary).rdbuf();
  return bytes.str();
}

std::string CommandLinePicture(const TBlock& root, const std::string& extension, bool flowchart) {
  QTemporaryDir folder;
  const std::string design = folder.path().toStdString() + "/entwurf.str";
  const std::string picture = folder.path().toStdString() + "/bild." + extension;
  std::ofstream(design, std::ios::binary) << SaveDesignBytes(root);
  ExportImageFile(design, picture, flowchart ? DiagramView::Flowchart : DiagramView::Structogram,
                  1.0);
  return ReadBytes(picture);
}

}  // namespace editortest
