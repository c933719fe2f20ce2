#include "ui/drivecombobox.h"

#include <QStorageInfo>

namespace vorelind {

DriveComboBox::DriveComboBox(QWidget* parent)
    : QComboBox(parent)
{
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady())
            addDrive(volume.rootPath(), volume.name());
    }
    connect(this, &QComboBox::activated, this, [this](int index) { emit driveChosen(itemData(index).toString()); });
}

void DriveComboBox::showDriveOf(const QString& folder)
{
    const QStorageInfo volume(folder);
    int index = findData(volume.rootPath());
    if (index < 0)
        index = addDrive(volume.rootPath(), volume.name());
    setCurrentIndex(index);
}

int DriveComboBox::addDrive(const QString& rootPath, const QString& name)
{
    addItem(name.isEmpty() ? rootPath : rootPath + QStringLiteral(" [") + name + QLatin1Char(']'), rootPath);
    return count() - 1;
}

} // namespace vorelind
