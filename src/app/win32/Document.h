#pragma once
// The benchmark's one model object: the settings, the three device lists, the main window
// with its device tree and detail list, and the menu commands. It sees every dialog message
// as a filter and acts on the main window's commands and the two panes' notifications.
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <vector>

#include "app/DetailRow.h"
#include "app/DeviceTree.h"
#include "app/ItemCode.h"
#include "app/Settings.h"
#include "app/win32/ModuleTexts.h"
#include "app/win32/TestWindowLauncher.h"
#include "framework/win32/MessageFilter.h"

namespace sektra {

class AboutDialog;
class Device;
class MainFrame;
class WaitDialog;

class Document : public MessageFilter {
public:
    Document();
    ~Document() override;

    void OnFilterMessage(MessageRecord& record) override;
    // Reads the settings, creates the main window and scans the devices; 0 or -1.
    virtual int Initialize();
    virtual void OnCommand(MessageRecord& record);
    virtual void OnNotify(MessageRecord& record);
    virtual void ShowAbout();
    virtual void EditTimerOptions();
    virtual void Refresh();
    virtual void ShowHelp();
    virtual void SelectDevices();
    virtual void OnTreeSelectionChanged(const NMTREEVIEWW* change);
    virtual void OnListDoubleClick(const NMITEMACTIVATE* activation);
    // What a double-click or Enter on detail row `row` does: select a size's node, open a
    // test, or say why a size cannot be tested. Nothing for -1.
    virtual void ActivateRow(int row);
    virtual void OpenTestWindow(ItemCode itemCode);
    // Runs the test window of an accepted request (RunTestWindow).
    virtual void StartTestWindow(const TestWindowRequest& request);
    // Scans the devices again, rebuilds the tree and selects the node with `selectCode`.
    // 0, or -1 when the wait notice cannot be shown.
    virtual int RebuildDeviceList(ItemCode selectCode);

    MainFrame* GetMainFrame() const { return mainFrame; }
    const Settings& GetSettings() const { return settings; }
    // The device an item code names (disks and CD-ROMs), null when there is none.
    Device* GetDevice(ItemCode code) const;
    const std::vector<std::unique_ptr<Device>>& GetDevices(std::uint32_t group) const;

private:
    void DestroyDevices();
    void ShowTree(const TreeNode& root);
    void SaveSettings();

    MainFrame* mainFrame = nullptr;
    AboutDialog* aboutDialog = nullptr;
    WaitDialog* waitDialog = nullptr;
    Settings settings;
    std::vector<std::unique_ptr<Device>> diskDevices;
    std::vector<std::unique_ptr<Device>> cdRomDevices;
    std::vector<std::unique_ptr<Device>> changerDevices;
    DetailRows shownRows;  // what the detail list shows, row for row
    ModuleTexts texts;
};

}  // namespace sektra
