#pragma once
// Sektra's one top-level window (template 301): the device tree on the left, the detail list
// on the right, a splitter between them that the mouse drags. The Document fills both panes
// and handles the menu; the frame keeps its layout, its minimum size and ends the message
// loop when it goes.
#include <windows.h>

#include "app/DetailRow.h"
#include "framework/win32/Dialog.h"
#include "framework/win32/ListView.h"
#include "framework/win32/TreeView.h"

namespace sektra {

class MainFrame : public Dialog {
public:
    // The window may not get smaller than this, nor the tree narrower than kMinTreeWidth.
    static constexpr int kMinWidth = 350;
    static constexpr int kMinHeight = 250;
    static constexpr int kMinTreeWidth = 50;

    ~MainFrame() override;

    virtual void EnableDeviceSelection();
    virtual TreeView* GetTreeView();
    virtual ListView* GetListView();
    // The detail list's look for a hex dump (fixed-pitch font, value column left-aligned and
    // wide enough for a row of bytes) or for every other node (the dialog's font, values
    // right-aligned).
    void ShowHexDumpLayout(bool hexDump);
    // Widens the label and value columns (never narrows them) so that the first rows' texts,
    // the decoded fields above a dump among them, show whole, up to a limit per column.
    // The widths return to the first ones for every node, so a wide value of one node does not
    // push the next node's dump columns out of sight.
    void FitColumnsTo(const DetailRows& rows);
    virtual void OnInitDialog(MessageRecord& record);
    virtual void OnClose(MessageRecord& record);
    virtual void OnSetCursor(MessageRecord& record);
    virtual void OnSize(MessageRecord& record);
    virtual void OnSizing(MessageRecord& record);
    virtual void OnMouseActivate(MessageRecord& record);
    virtual void OnLButtonDown(MessageRecord& record);
    virtual void OnLButtonUp(MessageRecord& record);
    virtual void OnMouseMove(MessageRecord& record);
    virtual int CreateChildren();
    virtual void LayoutPanes();
    virtual void BeginSplitterDrag(int x, int y);
    virtual void EndSplitterDrag();
    virtual void DrawSplitterBar(const RECT& bar);
    void OnMessage(MessageRecord& record) override;

private:
    int TreeWidth() const;
    void RestorePaneProcedures();

    TreeView* treeView = nullptr;
    ListView* listView = nullptr;
    int dragOffset = 0;
    HBRUSH patternBrush = nullptr;
    HFONT listFont = nullptr;   // the list's own, not ours to delete
    HFONT fixedFont = nullptr;  // owned
    int firstWidths[2] = {0, 0};   // label and value columns as the dialog made them
    int dumpValueWidth = 0;        // a row of bytes, while a dump is shown; else 0
    RECT dragBar = {};  // {x, y, width, height}
    bool dragging = false;
};

}  // namespace sektra
