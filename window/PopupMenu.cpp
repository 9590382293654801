// The pop-up menu of a diagram window, opened by a right click on the element it acts on.
#include <QMenu>

#include "window/Struktogrammfenster.h"

namespace {

struct PopupItem {
  const char* caption;  // "-" for a separator
  const char* component;
  bool visible = true;
};

// The submenu "Einfügen"; each item inserts the kind its component names.
constexpr PopupItem InsertItems[] = {
    {"Anweisung", "Anweisung"},
    {"-", "N1"},
    {"Entscheidung", "IfAnweisung"},
    {"-", "N2"},
    {"Schleife (Test vorher)", "WhileSchleife"},
    {"Schleife (Test danach)", "DoWhileSchleife"},
    {"Schleife (Test danach)", "RepeatUntilSchleife", false},
    {"Zählschleife", "ForSchleife", false},
};

QAction* AddItem(QMenu& menu, const PopupItem& item) {
  QAction* action = QString(item.caption) == "-" ? menu.addSeparator()
                                                 : menu.addAction(QString::fromUtf8(item.caption));
  action->setObjectName(item.component);
  action->setVisible(item.visible);
  return action;
}

}  // namespace

void TForm1::BuildPopupMenu() {
  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName("PopupMenu1");
  QMenu* insert = PopupMenu1->addMenu(QStringLiteral("Einfügen"));
  insert->setObjectName("Einfgen1");
  insert->menuAction()->setObjectName("Einfgen1");
  for (const PopupItem& item : InsertItems) {
    QAction* action = AddItem(*insert, item);
    if (action->isSeparator()) continue;
    connect(action, &QAction::triggered, this,
            [this, name = std::string(item.component)] { Guarded([&] { Einfuegen(name); }); });
  }
  const std::pair<PopupItem, std::function<void()>> commands[] = {
      {{"Text bearbeiten", "Textbearbeiten1"}, [this] { Textbearbeiten(); }},
      {{"Genauer bestimmen", "Genauerbestimmen1"}, [this] { Genauerbestimmen1Click(); }},
      {{"Löschen", "Lschen1"}, [this] { Loeschen(); }},
      {{"-", "N3"}, {}},
      {{"Anzeige verkleinern/vergrößern", "Anzeigeverkleinernvergrern1"},
       [this] { ChangeDisplay(); }},
      {{"In neuem Fenster anzeigen", "InneuemFensteranzeigen1"},
       [this] { InneuemFensteranzeigen(); }},
  };
  for (const auto& [item, command] : commands) {
    QAction* action = AddItem(*PopupMenu1, item);
    if (command) connect(action, &QAction::triggered, this, [this, command] { Guarded(command); });
  }
}
