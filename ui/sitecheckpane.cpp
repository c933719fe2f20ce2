#include "ui/sitecheckpane.h"

#include "document/filecheck.h"
#include "document/sitefiles.h"
#include "document/sourceindex.h"
#include "platform/codecs/displaytext.h"
#include "platform/files/nativepath.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace vorelind {

namespace {

SiteFileResult checkFile(const std::string& path, const SiteCheckRequest& request, const ExcludedTags& excluded)
{
    SiteFileResult result;
    result.file = path;
    const std::string failure =
        checkFileBalance(path, request.convertToShiftJis, excluded, request.rules, [&](const CheckedText& checked) {
            result.count = checked.found.size();
            result.rules = checked.rules == TagRules::Html ? QStringLiteral("HTML") : QStringLiteral("XML");
            if (!checked.found.empty())
                result.firstPlace = QString::fromStdString(
                    lineColumnText(SourceIndex::linesOf(checked.source).at(checked.found.front().offset)));
        });
    result.failure = toDisplayText(failure);
    return result;
}

} // namespace

SiteCheckPane::SiteCheckPane(QWidget* parent)
    : QWidget(parent)
    , m_model(new SiteCheckModel(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    auto* bar = new QHBoxLayout;
    m_state = new QLabel(this);
    m_state->setObjectName(QStringLiteral("SiteCheckState"));
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("SiteCheckProgress"));
    m_progress->setTextVisible(false);
    m_progress->setFixedHeight(12);
    m_cancel = new QPushButton(QStringLiteral("中止"), this);
    m_cancel->setObjectName(QStringLiteral("SiteCheckCancel"));
    m_cancel->setEnabled(false);
    bar->addWidget(m_state, 1);
    bar->addWidget(m_progress, 1);
    bar->addWidget(m_cancel);
    layout->addLayout(bar);
    m_view = new QTreeView(this);
    m_view->setObjectName(QStringLiteral("SiteCheckList"));
    m_view->setRootIsDecorated(false);
    m_view->setUniformRowHeights(true);
    m_view->setModel(m_model);
    m_view->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_view->header()->setStretchLastSection(false);
    m_view->setToolTip(QStringLiteral("ダブルクリックでファイルを開き、最初の不一致タグへ移動します"));
    layout->addWidget(m_view, 1);
    connect(m_cancel, &QPushButton::clicked, this, &SiteCheckPane::cancel);
    connect(m_view, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            emit fileChosen(m_model->result(index.row()).file);
    });
}

SiteCheckPane::~SiteCheckPane()
{
    stopAndWait();
}

void SiteCheckPane::start(const SiteCheckRequest& request)
{
    stopAndWait();
    m_model->clear();
    const auto folderFailed = [this](const std::string& folder, const std::string& reason) {
        m_model->add({folder, 0, {}, {}, QString::fromLocal8Bit(reason)});
    };
    SiteFiles site = collectSiteFiles({request.folder}, request.mask, false, folderFailed);
    m_fileCount = site.files.size();
    m_filesFound = 0;
    m_progress->setRange(0, static_cast<int>(std::max<std::size_t>(m_fileCount, 1)));
    m_progress->setValue(0);
    m_state->setText(QStringLiteral("検査中 0 / %1 ファイル").arg(m_fileCount));
    m_cancel->setEnabled(true);
    auto check = [request, excluded = ExcludedTags(request.excluded)](const std::string& path) {
        return checkFile(path, request, excluded);
    };
    m_checks = std::make_shared<Checks>(std::move(site.files), std::move(check));
    const std::size_t generation = ++m_generation;
    // The results reach the window's thread as queued calls, which are
    // dropped when the pane is gone.
    m_thread = std::jthread([this, checks = m_checks, generation] {
        const bool whole = checks->run([this, generation](std::size_t index, SiteFileResult result) {
            QMetaObject::invokeMethod(
                this,
                [this, generation, index, result = std::move(result)]() mutable {
                    add(generation, index + 1, std::move(result));
                },
                Qt::QueuedConnection);
        });
        QMetaObject::invokeMethod(this, [this, generation, whole] { finish(generation, whole); }, Qt::QueuedConnection);
    });
}

void SiteCheckPane::cancel()
{
    if (m_checks)
        m_checks->stop();
}

void SiteCheckPane::stopAndWait()
{
    cancel();
    if (m_thread.joinable())
        m_thread.join();
    m_checks.reset();
}

void SiteCheckPane::add(std::size_t generation, std::size_t done, SiteFileResult result)
{
    if (generation != m_generation)
        return;
    m_filesFound += result.failure.isEmpty() && result.count > 0 ? 1 : 0;
    m_model->add(std::move(result));
    m_progress->setValue(static_cast<int>(done));
    m_state->setText(QStringLiteral("検査中 %1 / %2 ファイル").arg(done).arg(m_fileCount));
}

void SiteCheckPane::finish(std::size_t generation, bool whole)
{
    if (generation != m_generation)
        return;
    stopAndWait();
    m_cancel->setEnabled(false);
    m_state->setText(whole ? QStringLiteral("%1 ファイルを検査しました（不一致タグのあるファイル %2）")
                                 .arg(m_fileCount)
                                 .arg(m_filesFound)
                           : QStringLiteral("中止しました（%1 / %2 ファイル）").arg(m_progress->value()).arg(m_fileCount));
}

} // namespace vorelind
