#pragma once

#include <QComboBox>

namespace vorelind {

// The drive picker: the mounted file systems, by their root folders.
class DriveComboBox : public QComboBox {
    Q_OBJECT

public:
    explicit DriveComboBox(QWidget* parent = nullptr);

    // Shows the file system that holds the folder, without choosing it.
    void showDriveOf(const QString& folder);

signals:
    // The user chose a file system; gives its root folder.
    void driveChosen(const QString& rootPath);

private:
    int addDrive(const QString& rootPath, const QString& name);
};

} // namespace vorelind
