#pragma once
// The window of the tests that repeat one transfer: Cache Hit, Read Buffer and Write Buffer.
#include "engine/RepeatTestThread.h"
#include "testwindows/win32/TestWindow.h"

namespace sektra {

class CacheTestWindow : public TestWindow {
public:
    using TestWindow::TestWindow;

    // The size row 1Nh transfers 2^N blocks (cache hit) or 2^N KB (buffer tests); 1Fh asks.
    // The Write Buffer test asks for the confirmation first, owned by this window.
    void OnInitDialog(MessageRecord& record) override;
    virtual void WriteCacheTable(CsvFile& csv, const CsvLabels& labels);

protected:
    std::uint32_t FullProgress() const override { return 200; }
    std::wstring BlockText(const TestSnapshot&) const override { return std::wstring(); }
    std::wstring FigureText(std::uint32_t value) const override;
    void WriteTable(CsvFile& csv, const CsvLabels& labels) override { WriteCacheTable(csv, labels); }
    int CreateControls() override;

private:
    RepeatTestThread* repeatThread = nullptr;  // a view of `thread`
};

}  // namespace sektra
