#include "window/AccessibleElement.h"

#include <QAccessible>
#include <QMetaObject>
#include <QPointer>
#include <QWidget>
#include <QWindow>
#include <algorithm>

#include "model/DrawnBox.h"
#include "model/Struktteile.h"
#include "platform/qt/Encoding.h"
#include "window/AccessibleDiagram.h"
#include "window/DiagramView.h"
#include "window/Struktogrammfenster.h"

namespace {

const char* KindName(const TElement& element) {
  if (dynamic_cast<const TAnweisung*>(&element)) return "Anweisung";
  if (dynamic_cast<const TIf*>(&element)) return "Entscheidung";
  if (dynamic_cast<const TFor*>(&element)) return "Zählschleife";
  if (dynamic_cast<const TRepeat*>(&element)) return "Schleife (Test danach, bis)";
  if (dynamic_cast<const TDoWhile*>(&element)) return "Schleife (Test danach)";
  if (dynamic_cast<const TWhile*>(&element)) return "Schleife (Test vorher)";
  return "Block";
}

}  // namespace

QString AccessibleNameOf(const TElement& element, const TElement* container) {
  const QString text = ToQString(element.Text);
  if (dynamic_cast<const TBedingung*>(container)) return text;
  const QString kind = QString::fromUtf8(KindName(element));
  return text.isEmpty() ? kind : kind + QStringLiteral(": ") + text;
}

AccessibleElement::AccessibleElement(AccessibleDiagram& diagram, TElement* element,
                                     TElement* container)
    : diagram_(diagram),
      element_(element),
      container_(container),
      name_(element->Text),
      collapsed_(diagram.form().Options->IsCollapsed(element)) {}

void AccessibleElement::SetContainer(TElement* container) {
  container_ = container;
  placedGeneration_ = 0;
}

std::vector<TElement*> AccessibleElement::CurrentChildren() const {
  std::vector<TElement*> children;
  if (!element_ || !element_->ShowsContents(*diagram_.form().Options)) return children;
  for (int32_t i = 0; i < element_->ContentCount(); ++i)
    for (TElement* e = element_->Content(i); e; e = e->Next) children.push_back(e);
  return children;
}

bool AccessibleElement::ChildrenChanged() {
  if (!childrenAsked_) return false;
  // Compared in place: a body may hold many elements, and mostly nothing has changed.
  std::size_t told = 0;
  bool same = true;
  if (element_->ShowsContents(*diagram_.form().Options)) {
    for (int32_t i = 0; i < element_->ContentCount() && same; ++i)
      for (TElement* e = element_->Content(i); e && same; e = e->Next)
        same = told < toldChildren_.size() && toldChildren_[told++] == e;
  }
  if (same && told == toldChildren_.size()) return false;
  toldChildren_ = CurrentChildren();
  return true;
}

bool AccessibleElement::CollapsedChanged() {
  const bool collapsed = diagram_.form().Options->IsCollapsed(element_);
  if (collapsed == collapsed_) return false;
  collapsed_ = collapsed;
  return true;
}

bool AccessibleElement::NameChanged() {
  if (name_ == element_->Text) return false;
  name_ = element_->Text;
  return true;
}

// Children and their places are worked out once per generation, all in one pass: the
// contents stack in each content sequence as drawing lays them out.
void AccessibleElement::UpdateChildren() {
  const uint64_t generation = diagram_.Generation();
  if (childrenGeneration_ == generation) return;
  children_.clear();
  childrenGeneration_ = generation;
  childrenAsked_ = true;
  toldChildren_ = CurrentChildren();
  const Placed* own = Placement();
  childrenPlaced_ = own != nullptr;
  TDisplayOptions& options = *diagram_.form().Options;
  Canvas& canvas = diagram_.MeasuringSurface();
  std::size_t next = 0;
  for (int32_t i = 0; i < element_->ContentCount() && next < toldChildren_.size(); ++i) {
    TElement::Placement at{};
    if (own) at = element_->ContentPlacement(canvas, own->at.origin, own->at.width, options, i);
    for (TElement* e = element_->Content(i); e && next < toldChildren_.size(); e = e->Next) {
      ++next;
      const TSize size = own ? e->GetSize(canvas, options) : TSize{};
      children_.push_back({e, at, size});
      at.origin.y += size.h;
    }
  }
}

const AccessibleElement::Placed* AccessibleElement::Placement() {
  const uint64_t generation = diagram_.Generation();
  if (placedGeneration_ == generation) return placed_ ? &*placed_ : nullptr;
  placedGeneration_ = generation;
  placed_.reset();
  TForm1& form = diagram_.form();
  if (!container_) {
    if (element_ != form.ShownBlock) return nullptr;
    const TPoint origin = form.GetDisplayOrigin();
    const TSize size = element_->GetSize(diagram_.MeasuringSurface(), *form.Options);
    placed_ = Placed{element_, {origin, size.w}, size};
    return &*placed_;
  }
  AccessibleElement* parent = diagram_.ObjectOf(container_);
  if (!parent) return nullptr;
  parent->UpdateChildren();
  if (!parent->childrenPlaced_) return nullptr;
  const std::vector<Placed>& siblings = parent->children_;
  if (indexHint_ >= int(siblings.size()) || siblings[indexHint_].element != element_) {
    const auto found = std::find_if(siblings.begin(), siblings.end(),
                                    [&](const Placed& p) { return p.element == element_; });
    if (found == siblings.end()) return nullptr;
    indexHint_ = int(found - siblings.begin());
  }
  placed_ = siblings[indexHint_];
  return &*placed_;
}

std::optional<TRect> AccessibleElement::DesignBox() {
  if (!element_) return std::nullopt;
  const Placed* placed = Placement();
  if (!placed) return std::nullopt;
  return DrawnBoxAt(placed->at.origin, placed->at.width, placed->size, *diagram_.form().Options);
}

std::optional<QRect> AccessibleElement::ScreenRect() const {
  const auto box = const_cast<AccessibleElement*>(this)->DesignBox();
  if (!box) return std::nullopt;
  const QRect client = diagram_.form().ClientRectFromDesign(*box);
  const QWidget* viewport = diagram_.view().viewport();
  return QRect(viewport->mapToGlobal(client.topLeft()), client.size());
}

QWindow* AccessibleElement::window() const {
  const QWidget* top = diagram_.view().window();
  return top ? top->windowHandle() : nullptr;
}

QAccessibleInterface* AccessibleElement::focusChild() const {
  AccessibleElement* selected = diagram_.SelectedObject();
  return selected && selected != this ? selected : nullptr;
}

QAccessibleInterface* AccessibleElement::childAt(int x, int y) const {
  for (int i = 0, n = childCount(); i < n; ++i) {
    auto* object = static_cast<AccessibleElement*>(child(i));
    if (const auto r = object ? object->ScreenRect() : std::nullopt; r && r->contains(x, y))
      return object;
  }
  return nullptr;
}

QAccessibleInterface* AccessibleElement::parent() const {
  if (!element_) return nullptr;
  if (!container_) return QAccessible::queryAccessibleInterface(&diagram_.view());
  return diagram_.ObjectOf(container_);
}

QAccessibleInterface* AccessibleElement::child(int index) const {
  if (!element_) return nullptr;
  auto* self = const_cast<AccessibleElement*>(this);
  self->UpdateChildren();
  if (index < 0 || index >= int(children_.size())) return nullptr;
  AccessibleElement* object = diagram_.ObjectFor(children_[index].element, element_);
  if (object) object->indexHint_ = index;
  return object;
}

int AccessibleElement::childCount() const {
  if (!element_) return 0;
  const_cast<AccessibleElement*>(this)->UpdateChildren();
  return int(children_.size());
}

int AccessibleElement::indexOfChild(const QAccessibleInterface* child) const {
  const auto* object = dynamic_cast<const AccessibleElement*>(child);
  if (!element_ || !object || !object->element_ || object->container_ != element_) return -1;
  const_cast<AccessibleElement*>(this)->UpdateChildren();
  const int hint = object->indexHint_;
  if (hint < int(children_.size()) && children_[hint].element == object->element_) return hint;
  for (std::size_t i = 0; i < children_.size(); ++i)
    if (children_[i].element == object->element_) return int(i);
  return -1;
}

QString AccessibleElement::text(QAccessible::Text t) const {
  if (!element_) return {};
  if (t == QAccessible::Name) return AccessibleNameOf(*element_, container_);
  return {};
}

QRect AccessibleElement::rect() const { return ScreenRect().value_or(QRect()); }

QAccessible::State AccessibleElement::state() const {
  QAccessible::State state;
  if (!element_) {
    state.invalid = true;
    return state;
  }
  const TDisplayOptions& options = *diagram_.form().Options;
  state.focusable = true;
  state.selectable = true;
  if (options.IsSelected(element_)) {
    state.selected = true;
    // Only the window that has the keyboard has the focus; selections elsewhere stay quiet.
    state.focused = diagram_.form().view().hasFocus();
  }
  if (dynamic_cast<const TBlock*>(element_)) {
    state.expandable = true;
    const bool collapsed = options.IsCollapsed(element_);
    state.collapsed = collapsed;
    state.expanded = !collapsed;
  }
  const auto r = ScreenRect();
  if (!r) {
    state.invisible = true;
    state.offscreen = true;
  } else {
    const QWidget* viewport = diagram_.view().viewport();
    const QRect shown(viewport->mapToGlobal(QPoint(0, 0)), viewport->size());
    state.offscreen = !viewport->isVisible() || !shown.intersects(*r);
  }
  return state;
}

void* AccessibleElement::interface_cast(QAccessible::InterfaceType type) {
  if (type == QAccessible::ActionInterface) return static_cast<QAccessibleActionInterface*>(this);
  return nullptr;
}

QStringList AccessibleElement::actionNames() const {
  if (!element_) return {};
  QStringList names{QString::fromUtf8(SelectActionName), QString::fromUtf8(EditTextActionName)};
  if (dynamic_cast<const TBlock*>(element_)) names << QString::fromUtf8(CollapseActionName);
  return names;
}

QStringList AccessibleElement::keyBindingsForAction(const QString& actionName) const {
  if (actionName == QString::fromUtf8(EditTextActionName)) return {QStringLiteral("Return")};
  return {};
}

// Actions run as the window's commands do, through the command guard: refused while another
// command waits in a dialog. Editing a text opens a dialog, so it runs once the client's
// request has been answered; by then the element may have left.
void AccessibleElement::doAction(const QString& actionName) {
  if (!element_ || !actionNames().contains(actionName)) return;
  TForm1& form = diagram_.form();
  TElement* element = element_;
  if (actionName == QString::fromUtf8(SelectActionName)) {
    form.Guarded([&] { form.SelectAndShow(element); });
  } else if (actionName == QString::fromUtf8(CollapseActionName)) {
    form.Guarded([&] {
      form.SelectAndShow(element);
      form.ChangeMinimize(static_cast<TBlock*>(element));
    });
  } else {
    const QAccessible::Id id = QAccessible::uniqueId(this);
    QPointer<TForm1> window(&form);
    QMetaObject::invokeMethod(
        &form,
        [window, id, element] {
          QAccessibleInterface* object = QAccessible::accessibleInterface(id);
          if (!window || !object || !object->isValid() ||
              static_cast<AccessibleElement*>(object)->element() != element)
            return;
          window->Guarded([&] {
            window->SelectAndShow(element);
            window->Textbearbeiten();
          });
        },
        Qt::QueuedConnection);
  }
}
