#pragma once

#include <QPlainTextEdit>

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace vorelind {

// The source of an ordinary page as an editable text whose lines wrap at
// the view's width, each numbered where it starts. Edits stay in the view:
// nothing reads them back, and the offsets that the view is given and
// gives are those of the loaded bytes.
class SourceTextEdit : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit SourceTextEdit(QWidget* parent = nullptr);

    // Shows the Shift-JIS bytes, which the view shares rather than copies;
    // CR LF, LF and a lone CR each end a line.
    void setSource(std::shared_ptr<const std::string> bytes);
    // Selects bytes of the loaded text and scrolls them into view.
    void selectBytes(std::size_t offset, std::size_t length);
    // The offset in the loaded text of the cursor, or of the selection's start.
    std::size_t cursorOffset() const;
    // The bytes last selected through selectBytes; none after the user
    // moved the cursor or typed.
    std::string_view selectedBytes() const;
    // The number of the source line that a block of the text begins; 0 for
    // a block that goes on with a line (after a lone LF or CR), or that an
    // edit made.
    std::size_t lineNumberOfBlock(int block) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    struct Selection {
        std::size_t offset;
        std::size_t length;
    };

    void numberLines();
    int positionOf(std::size_t offset) const;
    std::size_t offsetOf(int position) const;
    void updateLineNumberWidth();
    void paintLineNumbers();

    std::shared_ptr<const std::string> m_bytes;
    std::optional<Selection> m_selection;
    QWidget* m_lineNumbers;
};

} // namespace vorelind
