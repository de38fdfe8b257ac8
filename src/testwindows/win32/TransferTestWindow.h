#pragma once
// The window of the four transfer tests: Sequential Read and Write, Random Read and Write.
#include "engine/RandomTestThread.h"
#include "engine/SequentialTestThread.h"
#include "testwindows/win32/TestWindow.h"

namespace sektra {

class TransferTestWindow : public TestWindow {
public:
    using TestWindow::TestWindow;

    // Asks for the confirmation of a write test and, for the other-size row, for the size and
    // range; then creates the thread and starts it. Closes at once when either is refused or
    // the row is no transfer test.
    void OnInitDialog(MessageRecord& record) override;
    // The choices the run uses, which the options dialog of the other-size row may change;
    // null runs with the defaults. Before DoModal.
    void UseTransferChoices(TransferChoices* choices) { transferChoices = choices; }
    virtual void WriteSequentialTables(CsvFile& csv, const CsvLabels& labels);
    virtual void WriteRandomTable(CsvFile& csv, const CsvLabels& labels);

protected:
    std::uint32_t FullProgress() const override { return 1000; }
    std::wstring BlockText(const TestSnapshot& snapshot) const override;
    std::wstring FigureText(std::uint32_t value) const override;
    void WriteTable(CsvFile& csv, const CsvLabels& labels) override;
    // The sequential tests draw the rate over the position, the random tests how the command
    // times spread.
    bool BuildGraph(int width, int height, int textHeight, GraphPicture* picture) override;

private:
    // Views of `thread` by kind; one of them is set.
    SequentialTestThread* sequentialThread = nullptr;
    RandomTestThread* randomThread = nullptr;
    TransferChoices* transferChoices = nullptr;  // not owned
    std::uint32_t blockLength = 0;
};

}  // namespace sektra
