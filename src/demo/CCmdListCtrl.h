#pragma once

#include <QString>
#include <QTreeWidget>

// The recorder's command list. Each row shows its index in a square cell at
// the left, then the command's text; its item data says where the command
// stands: 0 the latest in effect, positive earlier ones, negative undone ones,
// and picks the row's colours.
class CCmdListCtrl : public QTreeWidget {
    Q_OBJECT

public:
    explicit CCmdListCtrl(QWidget* parent = nullptr);
    ~CCmdListCtrl() override;

    QTreeWidgetItem* AppendRow(const QString& text, int itemData);
    static int RowData(const QTreeWidgetItem* item);
};
