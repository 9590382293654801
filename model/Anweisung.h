#pragma once

#include "model/Element.h"

class RecordReader;

// A statement: one line of text.
class TAnweisung : public TElement {
 public:
  explicit TAnweisung(std::string text = {});

  static TAnweisung* CreateFromStream(RecordReader& reader);
  char RecordTag() const override { return 'A'; }

 protected:
  DrawResult DrawElement(Canvas& canvas, TPoint origin, int32_t width,
                         TDisplayOptions& options) override;
  void DrawAfterSuccessors(Canvas& canvas, TPoint origin, int32_t width,
                           TDisplayOptions& options) override;
  TSize ComputeSize(Canvas& canvas, TDisplayOptions& options) override;
  TElement* CopyElement() const override;
  void SaveElement(Stream& stream) const override;
  void ExportElement(std::string& output, const std::string& indent) const override;
};
