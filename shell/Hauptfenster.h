#pragma once

#include <QMainWindow>
#include <QPointer>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "model/Block.h"
#include "platform/Clipboard.h"
#include "platform/CommandGuard.h"
#include "shell/PictureWriter.h"
#include "shell/UndoHistory.h"
#include "window/EditorHost.h"
#include "window/Struktogrammfenster.h"

class QAction;
class QLabel;
class QMdiArea;
class QSessionManager;
class QToolBar;
class QToolButton;
class TForm3;

// The application's title, shown by the platform for the program and on its information boxes.
inline const char* const ApplicationTitle = "Struktogramme";

// Asked when the program ends with changes that were not saved.
inline const char* const UnsavedChangesQuestion =
    "Der Entwurf wurde geändert. Sollen die Änderungen gespeichert werden?";

// The services of the platform the editor works with; tests hand in scripted ones.
struct EditorServices {
  Dialogs& dialogs;
  Printer& printer;
  Clipboard& clipboard;
};

// The main window: menu bar, tool bar and the diagram windows inside it. It owns the design's
// root block and the undo history, and tells every diagram window about each change.
class TForm2 : public QMainWindow, public EditorHost {
  Q_OBJECT

 public:
  // Creates the main window with a new design, or with the design read from startFile.
  TForm2(EditorServices services, const std::optional<std::string>& startFile = {},
         QWidget* parent = nullptr);
  ~TForm2() override;

  BlockPtr RootBlock;
  UndoHistory UndoStates;
  QMdiArea* MdiArea = nullptr;
  QToolBar* ToolBar1 = nullptr;
  TForm3* Form3 = nullptr;  // the counting-loop dialog, hidden until needed
  FileDialog OpenDialog1{FileDialogKind::Open, {}, {}, {}};
  FileDialog SaveDialog1{FileDialogKind::Save, {}, {}, {}};
  FileDialog PictureDialog1{FileDialogKind::Save, {}, {}, {}};  // keeps the last picture's name and format

  // Menu items and tool-bar buttons by component name.
  QAction* Item(const std::string& component) const;
  QToolButton* Button(const std::string& component) const;

  // The diagram windows, most recently activated first, and the active one.
  std::vector<TForm1*> DiagramWindows() const;
  TForm1* ActiveWindow() const;
  TForm1* FirstWindow() const { return firstWindow_; }
  // How many deleted elements wait for the end of the command to be freed.
  std::size_t WaitingToBeFreed() const { return discarded_.size(); }
  // Whether the design changed since it was last saved, loaded or made new.
  bool Changed() const { return changed_; }
  // Whether the program may end now; with unsaved changes the user is asked first, and
  // "Speichern" lets it end only once the file is written.
  bool MayEnd();

  // EditorHost.
  TBlock* DesignRoot() override { return RootBlock.get(); }
  bool FlowchartView() const override;
  void RefreshAll() override;
  void UpdateCaptions() override;
  void ChangeMinimizeAll(TBlock* block) override;
  void SaveUndoState() override;
  void DropUndoState() override;
  void Discard(TElement* element) override;
  bool RunCommand(const std::function<void()>& command) override { return Guarded(command); }
  bool CommandRunning() const override { return commands_.Busy(); }
  Dialogs& dialogs() override { return services_.dialogs; }
  LoopTextDialog& loopDialog() override;
  void ShowStatus(const std::string& text) override;

  // Handlers of the menu items and tool-bar buttons.
  void ButtonClick(const QObject* sender);
  void Neu1Click();
  void Struktogrammladen1Click();
  void Struktogrammspeichern1Click();
  void InZwischenablage1Click();
  void AusZwischenablageeinfgen1Click();
  void Exportieren1Click();
  void AlsBildspeichern1Click();
  void AlsBildkopieren1Click();
  void Drucken2Click();
  void Druckvorschau1Click();
  void Programmbeenden1Click();
  void Rckgngig1Click();
  void Blockvergrern1Click();
  void BlockinneuemFensteranzeigen1Click();
  void Struktogramm1Click();
  void Flussdiagramm1Click();
  void Vergrern1Click();
  void Verkleinern1Click();
  void Normalgre1Click();
  void Ueberlappend1Click();
  void Nebeneinander1Click();
  // Lists the diagram windows at the end of the "Fenster" menu; called as it opens.
  void UpdateWindowMenu();

  // Shows the active window's zoom at the right of the status bar.
  void ShowZoom();

  // Shown for the first time: the first diagram window.
  void FormShow();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void FormCreate(const std::optional<std::string>& startFile);
  void OpenStartFile(const std::string& path);
  // Position, size and maximised state as the user left them, or the first start's.
  void RestoreWindowPlacement();
  void SaveWindowPlacement() const;
  void BuildMenus();
  void BuildToolBar();
  void ShowViewButtons(bool flowchart);
  void SetView(bool flowchart);
  // Puts root in place of the design and frees the design it replaces: the first window is
  // kept, restored and activated and given it; every other window is closed.
  void ReplaceDesign(BlockPtr root);
  // "Neu", load and paste: the design they replace becomes the newest undo state.
  void InstallNewDesign(BlockPtr root);
  // Closes every window that shows a block inside a discarded element; the first window
  // shows the root and is never among them.
  void CloseDetachedWindows();
  // Notes whether the design differs from the file last saved or loaded.
  void MarkChanged(bool changed);
  // Shows the save dialog and writes the design; false when the dialog was cancelled.
  bool SaveDesign();
  // The desktop session is ending: with unsaved changes the user may save or stay.
  void CommitData(QSessionManager& manager);
  void ForgetLostReferences();
  void FinishChanges();
  bool Guarded(const std::function<void()>& command);
  // The active window's shown block as a picture file's bytes, empty without a window.
  QByteArray ActiveWindowPicture(PictureFormat format);

  EditorServices services_;
  CommandGuard commands_{services_.dialogs};
  std::map<std::string, QAction*> items_;
  std::map<std::string, QToolButton*> buttons_;
  std::map<std::string, QAction*> buttonActions_;
  // The status bar's permanent field "Zoom n %".
  QLabel* zoomLabel_ = nullptr;
  std::vector<QAction*> windowItems_;  // the "Fenster" menu's items naming diagram windows
  QPointer<TForm1> firstWindow_;
  std::vector<ElementPtr> discarded_;
  uint64_t changes_ = 0;         // counts changes that may take elements out of windows
  uint64_t checkedChanges_ = 0;  // the count when the windows' references were last checked
  bool shown_ = false;
  bool changed_ = false;
  bool endAgreed_ = false;  // the user let the session end without saving these changes
};
