// Undo records of the script editor. The editor changes its text only through three line
// primitives (insert, delete, replace a line); each writes a TextUndoPiece with the line's
// former text and where caret and anchor stood before the change. The pieces of one user
// action form one CUndoRecord, and records move between an undo and a redo stack: undoing a
// record reverts its pieces newest first and builds the inverse record, which redoes them.
#pragma once
#include "afx.h"
#include <deque>

struct TextUndoPiece {
    enum Operation { kInserted = 0, kDeleted = 1, kReplaced = 2 };

    CString text;         // the line's text before the change; empty for an insertion
    int operation = kInserted;
    int line = 0;
    int caretColumn = 0;  // caret and anchor before the change
    int caretLine = 0;
    int anchorColumn = 0;
    int anchorLine = 0;
};

class CUndoRecord {
public:
    virtual ~CUndoRecord();

    std::deque<TextUndoPiece> m_pieces;  // in the order the changes were made
};

typedef std::deque<CUndoRecord> CUndoStack;  // newest record at the back

// The step being recorded and the two stacks. Neither stack has a depth limit.
class CTextUndoHistory {
public:
    // Starts a user action: a new edit discards whatever could be redone.
    void BeginEdit();
    void Record(const TextUndoPiece& piece) { m_pending.m_pieces.push_back(piece); }
    // Moves a non-empty pending step onto the undo stack; empties it either way.
    void CloseStep();
    void Clear();

    bool CanUndo() const { return !m_undo.empty(); }
    bool CanRedo() const { return !m_redo.empty(); }

    CUndoRecord m_pending;
    CUndoStack m_undo;
    CUndoStack m_redo;
};
