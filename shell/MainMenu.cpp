// The main window's menu bar and tool bar, built from tables that read like the lists of
// items and buttons they make.
#include <QAction>
#include <QLayout>
#include <QMdiArea>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include "shell/Hauptfenster.h"
#include "shell/ToolBarPictures.h"

namespace {

using Handler = void (TForm2::*)();

struct MenuItem {
  const char* caption;  // "-" for a separator
  const char* component;
  QKeySequence shortcut;
  Handler handler = nullptr;  // null for the insert items, which all go to ButtonClick
  bool visible = true;
};

struct Menu {
  const char* caption;
  const char* component;
  std::vector<MenuItem> items;
};

const QKeySequence None;

std::vector<Menu> MenuTable() {
  const auto ctrl = [](int key) { return QKeySequence(Qt::CTRL | key); };
  return {
      {"&Datei",
       "Datei1",
       {
           {"Neu", "Neu1", ctrl(Qt::Key_N), &TForm2::Neu1Click},
           {"-", "N2", None},
           {"Flussdiagramm laden", "Struktogrammladen1", ctrl(Qt::Key_O),
            &TForm2::Struktogrammladen1Click},
           {"Flussdiagramm speichern", "Struktogrammspeichern1", ctrl(Qt::Key_S),
            &TForm2::Struktogrammspeichern1Click},
           {"-", "N11", None},
           {"In Zwischenablage kopieren", "InZwischenablage1", ctrl(Qt::Key_C),
            &TForm2::InZwischenablage1Click},
           {"Als Bild kopieren", "AlsBildkopieren1", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C),
            &TForm2::AlsBildkopieren1Click},
           {"Aus Zwischenablage einfügen", "AusZwischenablageeinfgen1", ctrl(Qt::Key_Insert),
            &TForm2::AusZwischenablageeinfgen1Click},
           {"-", "N5", None},
           {"Exportieren", "Exportieren1", None, &TForm2::Exportieren1Click},
           {"Als Bild speichern …", "AlsBildspeichern1", None, &TForm2::AlsBildspeichern1Click},
           {"Drucken", "Drucken2", ctrl(Qt::Key_P), &TForm2::Drucken2Click},
           {"Druckvorschau", "Druckvorschau1", None, &TForm2::Druckvorschau1Click},
           {"-", "N1", None},
           {"Programm beenden", "Programmbeenden1", None, &TForm2::Programmbeenden1Click},
       }},
      {"&Bearbeiten",
       "Einfgen1",
       {
           {"Rückgängig", "Rckgngig1", ctrl(Qt::Key_Z), &TForm2::Rckgngig1Click},
           {"-", "N4", None},
           {"Anweisung einfügen", "Anweisung", None},
           {"Entscheidung einfügen", "IfAnweisung", None},
           {"-", "N3", None},
           {"Schleife (Test vorher)", "WhileSchleife", None},
           {"Schleife (Test danach)", "RepeatUntilSchleife", None, nullptr, false},
           {"Schleife (Test danach)", "DoWhileSchleife", None},
           {"Zählschleife einfügen", "ForSchleife", None},
       }},
      {"&Ansicht",
       "Drucken1",
       {
           {"Block vergrößern/verkleinern", "Blockvergrern1", None, &TForm2::Blockvergrern1Click},
           {"Block in neuem Fenster anzeigen", "BlockinneuemFensteranzeigen1", None,
            &TForm2::BlockinneuemFensteranzeigen1Click},
           {"-", "N6", None},
           {"Struktogramm", "Struktogramm1", None, &TForm2::Struktogramm1Click},
           {"Flussdiagramm", "Flussdiagramm1", None, &TForm2::Flussdiagramm1Click},
           {"-", "N8", None},
           {"Vergrößern", "Vergrern1", ctrl(Qt::Key_Plus), &TForm2::Vergrern1Click},
           {"Verkleinern", "Verkleinern1", ctrl(Qt::Key_Minus), &TForm2::Verkleinern1Click},
           {"Normalgröße", "Normalgre1", ctrl(Qt::Key_0), &TForm2::Normalgre1Click},
       }},
      // The diagram windows are listed after the separator as the menu opens.
      {"&Fenster",
       "Fenster1",
       {
           {"Überlappend", "Ueberlappend1", None, &TForm2::Ueberlappend1Click},
           {"Nebeneinander", "Nebeneinander1", None, &TForm2::Nebeneinander1Click},
           {"-", "N7", None},
       }},
  };
}

struct ToolButton {
  const char* component;
  const char* hint;
  int width;
  bool flowchartSet;  // which view shows it; the repeat-until button is never shown
  bool ever = true;
};

constexpr ToolButton ToolButtons[] = {
    {"BAnweisung2", "Anweisung", 81, false},
    {"BAnweisung", "Anweisung", 81, true},
    {"BIfAnweisung", "Entscheidung", 75, true},
    {"BIfAnweisung2", "Entscheidung", 75, false},
    {"BWhileSchleife", "Schleife (Test vorher)", 75, true},
    {"BWhileSchleife2", "Schleife (Test vorher)", 75, false},
    {"BForSchleife", "Zählschleife", 75, true},
    {"BForSchleife2", "Zählschleife", 75, false},
    {"BDoWhileSchleife", "Schleife (Test hinterher)", 75, true},
    {"BDoWhileSchleife2", "Schleife (Test hinterher)", 75, false},
    {"BRepeatUntilSchleife", "Schleife (Test hinterher)", 75, false, false},
};

constexpr int ToolBarHeight = 35;
constexpr int ButtonHeight = 31;

}  // namespace

void TForm2::BuildMenus() {
  for (const Menu& menu : MenuTable()) {
    QMenu* qmenu = menuBar()->addMenu(QString::fromUtf8(menu.caption));
    qmenu->setObjectName(menu.component);
    for (const MenuItem& item : menu.items) {
      QAction* action = QString(item.caption) == "-" ? qmenu->addSeparator()
                                                     : qmenu->addAction(QString::fromUtf8(item.caption));
      action->setObjectName(item.component);
      action->setShortcut(item.shortcut);
      action->setVisible(item.visible);
      items_[item.component] = action;
      if (action->isSeparator()) continue;
      const Handler handler = item.handler;
      connect(action, &QAction::triggered, this, [this, handler, action] {
        Guarded([&] {
          if (handler)
            (this->*handler)();
          else
            ButtonClick(action);
        });
      });
    }
  }
  for (const char* view : {"Struktogramm1", "Flussdiagramm1"}) items_[view]->setCheckable(true);
  items_["Flussdiagramm1"]->setChecked(true);
  // Ctrl+= zooms in too, for keyboards where "+" needs the shift key; the keypad's keys
  // reach the same short cuts.
  items_["Vergrern1"]->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
  connect(findChild<QMenu*>("Fenster1"), &QMenu::aboutToShow, this, &TForm2::UpdateWindowMenu);
}

void TForm2::UpdateWindowMenu() {
  QMenu* menu = findChild<QMenu*>("Fenster1");
  for (QAction* item : windowItems_) delete item;
  windowItems_.clear();
  QMdiSubWindow* active = MdiArea->activeSubWindow();
  for (QMdiSubWindow* window : MdiArea->subWindowList(QMdiArea::CreationOrder)) {
    // The caption as it stands; "&" in a title is no mnemonic.
    QAction* item = menu->addAction(window->windowTitle().replace('&', QStringLiteral("&&")));
    item->setCheckable(true);
    item->setChecked(window == active);
    connect(item, &QAction::triggered, this, [this, window = QPointer<QMdiSubWindow>(window)] {
      Guarded([&] {
        if (!window) return;
        if (window->isMinimized()) window->showNormal();
        MdiArea->setActiveSubWindow(window);
      });
    });
    windowItems_.push_back(item);
  }
}

void TForm2::BuildToolBar() {
  ToolBar1 = addToolBar(QStringLiteral("Werkzeugleiste"));
  ToolBar1->setObjectName("ToolBar1");
  ToolBar1->setMovable(false);
  ToolBar1->setFloatable(false);
  ToolBar1->setContextMenuPolicy(Qt::PreventContextMenu);
  ToolBar1->setIconSize(QSize(PictureWidth, PictureHeight));
  ToolBar1->setContentsMargins(0, 0, 0, 0);
  ToolBar1->layout()->setSpacing(0);
  // The bar is 35 pixels high around buttons of 31.
  const int margin = (ToolBarHeight - ButtonHeight) / 2;
  ToolBar1->layout()->setContentsMargins(0, margin, 0, margin);
  ToolBar1->toggleViewAction()->setVisible(false);
  for (const ToolButton& entry : ToolButtons) {
    auto* button = new QToolButton(ToolBar1);
    button->setObjectName(entry.component);
    button->setFixedSize(entry.width, ButtonHeight);
    button->setIcon(ButtonIcon(entry.component));
    button->setIconSize(QSize(PictureWidth, PictureHeight));
    button->setToolTip(QString::fromUtf8(entry.hint));
    button->setAccessibleName(QString::fromUtf8(entry.hint));
    button->setAutoRaise(false);
    connect(button, &QToolButton::clicked, this,
            [this, button] { Guarded([&] { ButtonClick(button); }); });
    buttons_[entry.component] = button;
    buttonActions_[entry.component] = ToolBar1->addWidget(button);
  }
  ShowViewButtons(true);
}

// Shows the five buttons of the view's set and hides the others; the bar closes up.
void TForm2::ShowViewButtons(bool flowchart) {
  for (const ToolButton& entry : ToolButtons)
    buttonActions_[entry.component]->setVisible(entry.ever && entry.flowchartSet == flowchart);
  // Realigning the bar at once shows and hides the buttons and closes them up.
  ToolBar1->layout()->activate();
}
