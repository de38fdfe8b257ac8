#pragma once
// The window of the seek test.
#include "engine/SeekTestThread.h"
#include "testwindows/win32/TestWindow.h"

namespace sektra {

class SeekTestWindow : public TestWindow {
public:
    using TestWindow::TestWindow;

    // The standard row (choice 10h) seeks 1000 times between the first and the last block of
    // the device; the other-size row (1Fh) asks for count, mode and range.
    void OnInitDialog(MessageRecord& record) override;
    virtual void WriteSeekTable(CsvFile& csv, const CsvLabels& labels);

protected:
    std::uint32_t FullProgress() const override { return 200; }
    std::wstring BlockText(const TestSnapshot& snapshot) const override;
    std::wstring FigureText(std::uint32_t value) const override;
    bool FiguresAreTimes() const override { return true; }
    void WriteTable(CsvFile& csv, const CsvLabels& labels) override { WriteSeekTable(csv, labels); }
    // The distribution of the seek (or access) times.
    bool BuildGraph(int width, int height, int textHeight, GraphPicture* picture) override {
        *picture = LatencyDistribution(width, height, textHeight);
        return true;
    }

private:
    void SetItemText(int itemId, const std::wstring& text);

    SeekTestThread* seekThread = nullptr;  // a view of `thread`
};

}  // namespace sektra
