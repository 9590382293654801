#include "window/AccessibleDiagram.h"

#include <QAccessibleWidget>

#include "model/TreeQueries.h"
#include "platform/qt/MeasuringCanvas.h"
#include "window/AccessibleElement.h"
#include "window/DiagramView.h"
#include "window/Struktogrammfenster.h"

namespace {

constexpr const char* KeysHelp =
    "Pfeiltasten: durch den Entwurf gehen (links und rechts in die Zweige, oben zum "
    "Vorgänger, unten in Lesereihenfolge); Eingabe: Text bearbeiten; Einfg: Anweisung "
    "einfügen; Entf: löschen";

// The client area of a diagram window as a tree whose one item is the shown block.
class AccessibleDiagramView : public QAccessibleWidget {
 public:
  explicit AccessibleDiagramView(DiagramView* view)
      : QAccessibleWidget(view, QAccessible::Tree), view_(view) {}

  AccessibleDiagram& diagram() const { return view_->accessible(); }

  int childCount() const override { return diagram().ShownObject() ? 1 : 0; }
  QAccessibleInterface* child(int index) const override {
    return index == 0 ? diagram().ShownObject() : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    return child && child == diagram().ShownObject() ? 0 : -1;
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    AccessibleElement* shown = diagram().ShownObject();
    return shown && shown->rect().contains(x, y) ? shown : nullptr;
  }
  QAccessibleInterface* focusChild() const override { return diagram().SelectedObject(); }
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return diagram().form().windowTitle();
    if (t == QAccessible::Description) return QString::fromUtf8(KeysHelp);
    return QAccessibleWidget::text(t);
  }

 private:
  DiagramView* view_;
};

// Follows QAccessible::setActive, which a client (or a test) may call without the platform's
// bridge being active.
class ActivityObserver : public QAccessible::ActivationObserver {
 public:
  bool active = false;
  void accessibilityActiveChanged(bool now) override { active = now; }
};

ActivityObserver& Activity() {
  // Never freed: Qt's list of observers may outlive every static of this program.
  static ActivityObserver* observer = [] {
    auto* made = new ActivityObserver;
    QAccessible::installActivationObserver(made);
    return made;
  }();
  return *observer;
}
// Listening from the start: a client may say it is there before any window exists.
const bool observing = (Activity(), true);

// Qt hands events on only while the platform's bridge is active. A client that made itself
// known by QAccessible::setActive where there is no bridge (the offscreen platform) hears
// them through its update handler all the same.
void Deliver(QAccessibleEvent& event) {
  if (QAccessible::isActive()) return QAccessible::updateAccessibility(&event);
  const QAccessible::UpdateHandler handler = QAccessible::installUpdateHandler(nullptr);
  QAccessible::installUpdateHandler(handler);
  if (handler) handler(&event);
}

QAccessibleInterface* DiagramViewFactory(const QString&, QObject* object) {
  if (auto* view = qobject_cast<DiagramView*>(object)) return new AccessibleDiagramView(view);
  return nullptr;
}

}  // namespace

AccessibleDiagram::AccessibleDiagram(TForm1& form) : form_(form) {
  static const bool installed = (QAccessible::installFactory(DiagramViewFactory), true);
  (void)installed;
}

bool AccessibleDiagram::ClientListening() { return QAccessible::isActive() || Activity().active; }

AccessibleDiagram::~AccessibleDiagram() {
  for (const auto& [element, entry] : objects_) QAccessible::deleteAccessibleInterface(entry.id);
  for (QAccessible::Id id : dead_) QAccessible::deleteAccessibleInterface(id);
}

DiagramView& AccessibleDiagram::view() const { return form_.view(); }

Canvas& AccessibleDiagram::MeasuringSurface() {
  if (!canvas_) canvas_ = std::make_unique<MeasuringCanvas>(view().viewport());
  return canvas_->canvas();
}

AccessibleElement* AccessibleDiagram::ShownObject() {
  if (closed_ || !form_.ShownBlock) return nullptr;
  return ObjectFor(form_.ShownBlock, nullptr);
}

AccessibleElement* AccessibleDiagram::ObjectFor(TElement* element, TElement* container) {
  if (closed_ || !element) return nullptr;
  if (const auto found = objects_.find(element); found != objects_.end())
    return found->second.object;
  auto* object = new AccessibleElement(*this, element, container);
  const QAccessible::Id id = QAccessible::registerAccessibleInterface(object);
  objects_.emplace(element, Entry{object, id});
  return object;
}

AccessibleElement* AccessibleDiagram::ObjectOf(TElement* element) {
  if (closed_ || !element) return nullptr;
  if (const auto found = objects_.find(element); found != objects_.end())
    return found->second.object;
  if (element == form_.ShownBlock) return ShownObject();
  std::size_t visited = 0;
  const std::vector<TElement*> containers = ContainersOf(*form_.ShownBlock, element, visited);
  return containers.empty() ? nullptr : ObjectFor(element, containers.back());
}

AccessibleElement* AccessibleDiagram::SelectedObject() {
  return ObjectOf(form_.Options->SelectedElement());
}

std::unordered_map<const TElement*, AccessibleDiagram::Place> AccessibleDiagram::Locate() const {
  std::unordered_map<const TElement*, Place> found;
  found.reserve(objects_.size());
  TElement* shown = form_.ShownBlock;
  if (!shown) return found;
  if (objects_.contains(shown)) found.emplace(shown, Place{});
  // Containers whose contents are still to be walked; the walk ends once every element
  // with an object has been met.
  std::vector<TElement*> pending{shown};
  while (!pending.empty() && found.size() < objects_.size()) {
    TElement* container = pending.back();
    pending.pop_back();
    for (int32_t i = 0; i < container->ContentCount(); ++i) {
      const TElement* before = nullptr;
      for (TElement* e = container->Content(i); e; before = e, e = e->Next) {
        if (objects_.contains(e) && found.emplace(e, Place{container, before}).second &&
            found.size() == objects_.size())
          return found;
        if (e->ContentCount() > 0) pending.push_back(e);
      }
    }
  }
  return found;
}

AccessibleDiagram::Place AccessibleDiagram::PlaceIn(const TElement* container,
                                                    const TElement* element) {
  Place place{container, nullptr};
  for (int32_t i = 0; container && i < container->ContentCount(); ++i)
    for (const TElement* e = container->Content(i); e; e = e->Next)
      if (e->Next == element) place.before = e;
  return place;
}

// Clients reach objects by their ids, which die with them; a client within the program may
// hold an object itself, so invalid objects are kept until there are many of them.
void AccessibleDiagram::Retire(const Entry& entry) {
  entry.object->Invalidate();
  dead_.push_back(entry.id);
}

void AccessibleDiagram::ReleaseDead() {
  if (dead_.size() < KeptDeadObjects) return;
  for (QAccessible::Id id : dead_) QAccessible::deleteAccessibleInterface(id);
  dead_.clear();
}

void AccessibleDiagram::Announce(AccessibleElement* object, QAccessible::Event event) {
  QAccessibleEvent announcement(object, event);
  Deliver(announcement);
}

void AccessibleDiagram::DesignChanged() {
  ReleaseDead();
  ++generation_;
  canvas_.reset();  // the window may have moved to a screen of another resolution
  if (closed_) return;
  std::vector<AccessibleElement*> reordered;
  std::vector<AccessibleElement*> renamed;
  std::vector<AccessibleElement*> folded;
  if (!objects_.empty()) {
    const auto found = Locate();
    for (auto it = objects_.begin(); it != objects_.end();) {
      const auto where = found.find(it->first);
      if (where == found.end()) {
        Retire(it->second);
        it = objects_.erase(it);
        continue;
      }
      it->second.object->SetContainer(const_cast<TElement*>(where->second.container));
      ++it;
    }
    const auto selected = found.find(announcedSelection_);
    if (selected != found.end()) {
      if (announcedPlace_ && *announcedPlace_ != selected->second) announcedSelection_ = nullptr;
      announcedPlace_ = selected->second;
    }
    for (const auto& [element, entry] : objects_) {
      if (entry.object->ChildrenChanged()) reordered.push_back(entry.object);
      if (entry.object->NameChanged()) renamed.push_back(entry.object);
      if (entry.object->CollapsedChanged()) folded.push_back(entry.object);
    }
  }
  if (ClientListening()) {
    for (AccessibleElement* object : reordered) Announce(object, QAccessible::ObjectReorder);
    for (AccessibleElement* object : renamed) Announce(object, QAccessible::NameChanged);
    for (AccessibleElement* object : folded) {
      QAccessible::State changed;
      changed.expanded = changed.collapsed = true;
      QAccessibleStateChangeEvent event(object, changed);
      Deliver(event);
    }
    if (announcedShown_ && form_.ShownBlock != announcedShown_) {
      QAccessibleEvent event(&view(), QAccessible::ObjectReorder);
      Deliver(event);
    }
  }
  announcedShown_ = form_.ShownBlock;
  SelectionChanged();
}

void AccessibleDiagram::SelectionChanged() {
  if (closed_) return;
  const TElement* selected = form_.Options->SelectedElement();
  if (selected == announcedSelection_) return;
  announcedSelection_ = selected;
  announcedPlace_.reset();
  if (!selected || !ClientListening()) return;
  if (AccessibleElement* object = ObjectOf(const_cast<TElement*>(selected))) {
    announcedPlace_ = PlaceIn(object->container(), selected);
    if (form_.view().hasFocus()) Announce(object, QAccessible::Focus);
    Announce(object, QAccessible::Selection);
  }
}

void AccessibleDiagram::AnnounceSelection() {
  announcedSelection_ = nullptr;
  SelectionChanged();
}

void AccessibleDiagram::Close() {
  closed_ = true;
  for (const auto& [element, entry] : objects_) Retire(entry);
  objects_.clear();
}
