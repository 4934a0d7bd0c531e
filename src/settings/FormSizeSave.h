#pragma once

#include "RegistryStatus.h"

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>
#include <optional>

class QWidget;
class RegistryStore;

// Keeps a top-level window's placement in the store: values "<objectName>.Left", ".Top", ".Width",
// ".Height" (REG_DWORD), ".State" (0 normal, 1 minimised, 2 maximised) and ".Caption" (text, never read)
// under "\SOFTWARE\<Company>\<ProductName>\<SubKey>".
//
// Left and Top are the window frame's position, Width and Height the size of its contents, which is what
// QWidget::pos() and QWidget::size() give and move() and resize() take, so save and restore are exact
// inverses. A window that is not in the normal state keeps its last normal placement in the store.
class FormSizeSave : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Company READ company WRITE setCompany)
    Q_PROPERTY(QString ProductName READ productName WRITE setProductName)
    Q_PROPERTY(QString SubKey READ subKey WRITE setSubKey)
    Q_PROPERTY(SaveMode SaveMode READ saveMode WRITE setSaveMode)

public:
    enum SaveMode { smPositionOnly = 0, smSizeOnly = 1, smAll = 2 };
    Q_ENUM(SaveMode)

    // Company "Kovrin", ProductName "Orrery 1.0", SubKey "position", mode smAll; the window is also the
    // parent. Without a store the process-wide one is used.
    explicit FormSizeSave(QWidget* window, RegistryStore* store = nullptr);

    QString company() const { return m_company; }
    void setCompany(const QString& company) { m_company = company; }
    QString productName() const { return m_productName; }
    void setProductName(const QString& name) { m_productName = name; }
    QString subKey() const { return m_subKey; }
    void setSubKey(const QString& subKey) { m_subKey = subKey; }
    SaveMode saveMode() const { return m_saveMode; }
    void setSaveMode(SaveMode mode) { m_saveMode = mode; }

    // "\SOFTWARE\" + Company + "\" + ProductName + "\" + SubKey, each part left out when blank.
    QString keyPath() const;

    // Applies the stored values of the mode that exist, then the stored state. A window without a stored
    // position is centred over its owner (its parent's window, else the main window Form1); either way it
    // is kept on the visible screen (see WindowPlacement). Nothing is written.
    RegistryStatus restore();
    // Writes the values of the mode when the window is in the normal state, then caption and state.
    RegistryStatus save();

private:
    RegistryStore& store() const;
    std::optional<QRect> anchor() const;
    static QList<QRect> screenAreas();
    bool positionSaved() const { return m_saveMode == smPositionOnly || m_saveMode == smAll; }
    bool sizeSaved() const { return m_saveMode == smSizeOnly || m_saveMode == smAll; }

    QPointer<QWidget> m_window;
    RegistryStore* m_store;
    QString m_company = QStringLiteral("Kovrin");
    QString m_productName = QStringLiteral("Orrery 1.0");
    QString m_subKey = QStringLiteral("position");
    SaveMode m_saveMode = smAll;
};

using TFormSizeSave = FormSizeSave;
