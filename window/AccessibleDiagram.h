#pragma once

#include <QAccessible>
#include <cstdint>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

class AccessibleElement;
class Canvas;
class DiagramView;
class MeasuringCanvas;
class TElement;
class TForm1;

// The accessible objects of the elements a diagram window shows, for screen readers and
// desktop automation. An object is made when a client first asks for it and is kept by
// element; when its element leaves the window's shown block, or the window closes, it
// answers as invalid from then on and is freed some changes later. Nothing is made, walked
// or announced while no client has asked.
//
// The window tells it about every change: DesignChanged after the design, the view or the
// collapsed blocks changed (before anything taken out is freed), SelectionChanged after the
// selection changed, Close when the window closes.
class AccessibleDiagram {
 public:
  explicit AccessibleDiagram(TForm1& form);
  ~AccessibleDiagram();
  AccessibleDiagram(const AccessibleDiagram&) = delete;
  AccessibleDiagram& operator=(const AccessibleDiagram&) = delete;

  // Whether an accessibility client listens: the platform's bridge is active, or
  // QAccessible::setActive(true) was called.
  static bool ClientListening();

  TForm1& form() const { return form_; }
  DiagramView& view() const;

  // The object of the window's shown block; null once the window has closed.
  AccessibleElement* ShownObject();
  // The object of element, which stands in the contents of container (null for the shown
  // block); made when there is none.
  AccessibleElement* ObjectFor(TElement* element, TElement* container);
  // The object of element wherever it stands below the shown block; null when it does not.
  AccessibleElement* ObjectOf(TElement* element);
  // The object the window's selection names, if any.
  AccessibleElement* SelectedObject();

  void DesignChanged();
  void SelectionChanged();
  // Announces the selection again, as the window gains the keyboard focus.
  void AnnounceSelection();
  void Close();

  // Changes with every DesignChanged: what objects worked out about positions is stale then.
  uint64_t Generation() const { return generation_; }
  // A canvas that measures as the window's client area does.
  Canvas& MeasuringSurface();
  // How many objects stand for elements now.
  std::size_t LiveObjects() const { return objects_.size(); }

 private:
  struct Entry {
    AccessibleElement* object;
    QAccessible::Id id;
  };
  // Where an element stands: its container (null for the shown block) and its predecessor
  // in the container's contents (null for the first).
  struct Place {
    const TElement* container = nullptr;
    const TElement* before = nullptr;
    bool operator==(const Place&) const = default;
  };
  static Place PlaceIn(const TElement* container, const TElement* element);
  // Where each element that has an object stands now; elements missing have left the window.
  std::unordered_map<const TElement*, Place> Locate() const;
  // An object whose element left: invalid from now on, freed with the other dead ones.
  void Retire(const Entry& entry);
  void ReleaseDead();
  void Announce(AccessibleElement* object, QAccessible::Event event);

  TForm1& form_;
  bool closed_ = false;
  uint64_t generation_ = 1;
  std::unordered_map<const TElement*, Entry> objects_;
  static constexpr std::size_t KeptDeadObjects = 4096;
  std::vector<QAccessible::Id> dead_;
  std::unique_ptr<MeasuringCanvas> canvas_;
  // What clients were last told about; compared only, never followed.
  const TElement* announcedSelection_ = nullptr;
  const TElement* announcedShown_ = nullptr;
  // Where the announced selection stood at the last change, once known: a selected element
  // that moves (a drop) is announced again.
  std::optional<Place> announcedPlace_;
};
