#pragma once

#include "framework/CDialog.h"
#include "framework/CImageList.h"
#include "framework/CListBox.h"
#include "framework/CListCtrl.h"
#include "framework/CStatic.h"
#include "framework/CTabCtrl.h"
#include "locations/LocationCatalogue.h"

// The program's window: three tabs of locations, the list of the current
// tab's locations, and the entries of the selected one. It owns the
// catalogue and never touches startup data itself: the locations do.
class MainDialog : public CDialog {
public:
    explicit MainDialog(CWnd* parent = nullptr);
    ~MainDialog() override;

    // For those who drive the window from outside, as the tests do.
    int CurrentIndex() const { return currentIndex; }
    int GroupBase() const { return groupBase; }
    int CatalogueCount() const { return catalogueCount; }
    StartupLocation* Location(int index) const { return catalogue[index].get(); }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    BOOL OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) override;

private:
    void OnTabChanged();
    void OnLocationChanged();
    void OnAdd();
    void OnEdit();
    void OnDelete();
    // After a location changed its store: show its entries afresh.
    void Refill(int result);
    BOOL OnPaint();

    CStatic ntOnlyLabel;
    CTabCtrl tabs;
    CListBox locationList;
    CListCtrl entryList;
    HICON icon;
    Catalogue catalogue;
    int catalogueCount = 0;
    int currentIndex = -1;
    int groupBase = 0;
    CImageList tabImages;
};
