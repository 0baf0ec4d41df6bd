#include "coloreditundo.h"

CUndoRecord::~CUndoRecord() = default;

void CTextUndoHistory::BeginEdit()
{
    m_pending.m_pieces.clear();
    m_redo.clear();
}

void CTextUndoHistory::CloseStep()
{
    if (!m_pending.m_pieces.empty())
        m_undo.push_back(m_pending);
    m_pending.m_pieces.clear();
}

void CTextUndoHistory::Clear()
{
    m_pending.m_pieces.clear();
    m_redo.clear();
    m_undo.clear();
}
