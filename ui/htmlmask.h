#pragma once

#include <QDialog>

#include <string>

class QButtonGroup;
class QFrame;
class QGroupBox;
class QLineEdit;

namespace vorelind {

// The extension mask dialog: a borderless radio group choosing HTML files,
// all files or one extension typed into extedit. It has no buttons; it
// closes when item 0 or 1 is chosen, or on Enter or Esc in extedit, and
// whatever is chosen then is the result.
class TMaskSetForm : public QDialog {
    Q_OBJECT

public:
    explicit TMaskSetForm(QWidget* parent = nullptr);

    // The chosen item of Maskgroup. Setting another item runs MaskgroupClick
    // as a user's click would; setting the chosen one runs nothing.
    int itemIndex() const;
    void setItemIndex(int index);
    // The text of extedit as Shift-JIS.
    std::string extension() const;
    void setExtension(std::string_view extension);

    void FormCreate();
    void FormActivate();
    void MaskgroupClick();
    QChar exteditKeyPress(QChar key);
    void exteditKeyDown(int key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildMaskgroup();
    void buildPanel1();

    QGroupBox* Maskgroup;
    QButtonGroup* m_items;
    QFrame* Panel1;
    QLineEdit* extedit;
    // The item index at the latest activation; Esc returns to it.
    int m_savedChoice = 0;
};

} // namespace vorelind
