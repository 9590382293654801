#pragma once

#include <QAccessibleInterface>
#include <optional>
#include <vector>

#include "model/Element.h"

class AccessibleDiagram;

// Action names of the diagram's elements as clients see them.
inline constexpr const char* SelectActionName = "Auswählen";
inline constexpr const char* EditTextActionName = "Text bearbeiten";
inline constexpr const char* CollapseActionName = "Ein-/Ausklappen";

// The accessible name of element: its kind and text ("Anweisung: x := 1"); a block that is a
// branch or body of container goes by its title alone ("Ja-Block").
QString AccessibleNameOf(const TElement& element, const TElement* container);

// One element of a diagram window as a tree item. Its children are the elements of a block's
// body, or a decision's or loop's branch blocks; a collapsed block has none. Its rectangle is
// where the window draws it. After its element has left the window it answers as invalid and
// never looks at the element again.
class AccessibleElement : public QAccessibleInterface, public QAccessibleActionInterface {
 public:
  AccessibleElement(AccessibleDiagram& diagram, TElement* element, TElement* container);

  TElement* element() const { return element_; }
  TElement* container() const { return container_; }
  void SetContainer(TElement* container);
  void Invalidate() { element_ = container_ = nullptr; }

  // After a change: whether the children a client was told of differ now, whether the name
  // did, whether a block was collapsed or expanded; each remembers the new state.
  bool ChildrenChanged();
  bool NameChanged();
  bool CollapsedChanged();

  // The box the window draws the element in, in design coordinates; none when not drawn.
  std::optional<TRect> DesignBox();

  // QAccessibleInterface
  bool isValid() const override { return element_ != nullptr; }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override;
  QAccessibleInterface* focusChild() const override;
  QAccessibleInterface* childAt(int x, int y) const override;
  QAccessibleInterface* parent() const override;
  QAccessibleInterface* child(int index) const override;
  int childCount() const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QString text(QAccessible::Text t) const override;
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override;
  QAccessible::Role role() const override { return QAccessible::TreeItem; }
  QAccessible::State state() const override;
  void* interface_cast(QAccessible::InterfaceType type) override;

  // QAccessibleActionInterface
  QStringList actionNames() const override;
  void doAction(const QString& actionName) override;
  QStringList keyBindingsForAction(const QString& actionName) const override;

 private:
  struct Placed {
    TElement* element;
    TElement::Placement at;
    TSize size;
  };
  // The elements that are the children now.
  std::vector<TElement*> CurrentChildren() const;
  // Brings children_ up to date; with positions when placed.
  void UpdateChildren();
  // Where the element's own drawing starts and how wide, as its container lays it out.
  const Placed* Placement();
  std::optional<QRect> ScreenRect() const;

  AccessibleDiagram& diagram_;
  TElement* element_;
  TElement* container_;
  std::string name_;  // the text when the name was last given
  bool collapsed_;
  // What the children are and where they lie, as of childrenGeneration_.
  std::vector<Placed> children_;
  uint64_t childrenGeneration_ = 0;
  bool childrenPlaced_ = false;
  bool childrenAsked_ = false;
  std::vector<TElement*> toldChildren_;
  // The element's own place, as of placedGeneration_.
  std::optional<Placed> placed_;
  uint64_t placedGeneration_ = 0;
  int indexHint_ = 0;
};
