// Keeps a list box's horizontal scroll extent in step with its widest row as rows come and go.
#pragma once

#include <windows.h>

class ListBoxExtent {
public:
    explicit ListBoxExtent(HWND listBox = nullptr) : listBox(listBox) {}
    virtual ~ListBoxExtent() = default;

    void Attach(HWND window) { listBox = window; }
    HWND ListBox() const { return listBox; }

    // Inserts text at position (-1 appends, in sorted order for a sorted list box) and widens the
    // extent when the new row is wider. Returns the list box's result: the row's index or LB_ERR /
    // LB_ERRSPACE.
    int InsertRow(int position, const char* text);
    // Deletes a row; when it was the widest, the extent shrinks to the widest remaining row.
    // Returns the list box's result: the number of rows left or LB_ERR.
    int DeleteRow(int index);

    // Width in pixels of a row: its text in the list box's font plus 2, 0 for a row without text.
    // Owner-drawn list boxes override it.
    virtual int MeasureItem(int index);

private:
    HWND listBox;
};
