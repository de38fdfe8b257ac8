#pragma once
// The device tree as plain data: every device of the three lists with the information it
// answers and the tests it can run, built by probing each device once. The main window puts
// it into its TreeView as it is.
#include <string>
#include <vector>

#include "app/ItemCode.h"
#include "app/TextSource.h"

namespace sektra {

class Device;

struct TreeNode {
    std::wstring text;
    ItemCode code = 0;
    std::vector<TreeNode> children;
};

// The Document's three device lists (not owned here).
struct DeviceLists {
    std::vector<Device*> disks;
    std::vector<Device*> cdRoms;
    std::vector<Device*> changers;
};

// Told what is being examined while the tree is built (the wait notice shows it).
class ScanProgress {
public:
    virtual ~ScanProgress() = default;
    virtual void SetMainText(const std::wstring& text) = 0;    // the device
    virtual void SetDetailText(const std::wstring& text) = 0;  // the category being probed
};

// The root (code 0) with a group node for every list that is not empty. `progress` may be null.
TreeNode BuildDeviceTree(const DeviceLists& lists, const TextSource& texts, ScanProgress* progress);

// The first node, depth first from the root, whose code equals `code`; null when none does.
const TreeNode* FindTreeNode(const TreeNode& root, ItemCode code);

}  // namespace sektra
