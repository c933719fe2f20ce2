#pragma once

#include "document/orderedchecks.h"
#include "document/tagbalance.h"
#include "ui/sitecheckmodel.h"

#include <QWidget>

#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

class QLabel;
class QProgressBar;
class QPushButton;
class QTreeView;

namespace vorelind {

// What a folder check reads and how it judges each file.
struct SiteCheckRequest {
    std::string folder; // as the file system spells it
    std::string mask;
    bool convertToShiftJis = false;
    std::vector<std::string> excluded;
    std::optional<TagRules> rules; // none: each page's own
};

// Checks the files of a folder under a mask in the background, several at
// once, with a progress bar and a button to stop, and lists them worst
// first as they come. A double-click on a file asks for it to be opened.
class SiteCheckPane : public QWidget {
    Q_OBJECT

public:
    explicit SiteCheckPane(QWidget* parent = nullptr);
    // Stops a running check and waits for the files in hand.
    ~SiteCheckPane() override;

    // Starts a check of the folder, stopping one that still runs.
    void start(const SiteCheckRequest& request);
    void cancel();
    bool running() const { return m_checks != nullptr; }
    const SiteCheckModel& model() const { return *m_model; }

signals:
    void fileChosen(const std::filesystem::path& file);

private:
    using Checks = OrderedChecks<SiteFileResult>;

    void stopAndWait();
    void add(std::size_t generation, std::size_t done, SiteFileResult result);
    void finish(std::size_t generation, bool whole);

    SiteCheckModel* m_model = nullptr;
    QTreeView* m_view = nullptr;
    QProgressBar* m_progress = nullptr;
    QLabel* m_state = nullptr;
    QPushButton* m_cancel = nullptr;
    std::size_t m_fileCount = 0;
    std::size_t m_filesFound = 0; // files with findings
    // Counts the checks started, so that what a stopped one still sent is dropped.
    std::size_t m_generation = 0;
    std::shared_ptr<Checks> m_checks; // while a check runs
    std::jthread m_thread;
};

} // namespace vorelind
