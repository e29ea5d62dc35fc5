#pragma once

#include "cmd/UndoHistory.h"
#include "scene/MapDocument.h"

#include <QObject>

class AppConfig;
class CScenePic;
class MsgCenter;
class QAction;
class QWidget;
class Scene;
struct ConfirmDiscard_Msg;
struct MapFileEvent_Msg;
struct UpdateGridView_Msg;

// The main window's commands on the map in hand: new (Ctrl+N), open (Ctrl+O),
// save (Ctrl+S), undo (Ctrl+Z) and redo (Ctrl+Y, Ctrl+Shift+Z), the window
// title that names the map's file with "*" for unsaved changes, and what
// closing does: a user's own file is saved silently, any other map with
// changes is saved, discarded or kept open as the user answers.
class MapActions : public QObject {
    Q_OBJECT

public:
    enum class Answer { Save, Discard, Stay };

    MapActions(MsgCenter& center, Scene& scene, AppConfig& config, CScenePic& view, QWidget* window);
    ~MapActions() override;

    QAction* NewAction() const { return new_; }
    QAction* OpenAction() const { return open_; }
    QAction* SaveAction() const { return save_; }
    QAction* UndoAction() const { return undo_; }
    QAction* RedoAction() const { return redo_; }

    // True when the window may close: the map was saved, had nothing to
    // save, or the user let it go.
    bool MayClose();
    // True when the map in hand may be replaced by another one.
    bool MayDiscard();

    bool Save();
    void Open();
    void NewMap();

    const MapDocument& Document() const { return document_; }
    UndoHistory& History() { return history_; }

private:
    Answer AskAboutChanges();
    // Asks; true when the map was saved with `save` or let go.
    bool AskThenSave(bool (MapActions::*save)());
    bool SaveWhereItBelongs();
    bool SaveToFile();
    bool SaveAs();
    void RefreshTitle();

    void OnMapFile(const MapFileEvent_Msg* msg);
    void OnUpdateGridView(const UpdateGridView_Msg*);
    void OnConfirmDiscard(const ConfirmDiscard_Msg* msg);

    MsgCenter& center_;
    Scene& scene_;
    CScenePic& view_;
    QWidget* window_;
    MapDocument document_;
    UndoHistory history_;
    QAction* new_;
    QAction* open_;
    QAction* save_;
    QAction* undo_;
    QAction* redo_;
};
