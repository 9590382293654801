#include "tests/editor/PictureTestSupport.h"

#include <QTemporaryDir>
#include <fstream>
#include <sstream>

#include "shell/Conversions.h"
#include "shell/ImageExport.h"

namespace editortest {

std::string CommandLinePicture(const TBlock& root, const std::string& extension, bool flowchart) {
  QTemporaryDir folder;
  const std::string design = folder.filePath("entwurf.str").toStdString();
  const std::string picture = folder.filePath(QString::fromStdString("bild." + extension)).toStdString();
  std::ofstream(design, std::ios::binary) << SaveDesignBytes(root);
  ExportImageFile(design, picture, flowchart ? DiagramView::Flowchart : DiagramView::Structogram, 1.0);
  std::ifstream file(picture, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

}  // namespace editortest
