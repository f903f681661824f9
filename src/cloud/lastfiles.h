#pragma once

#include <QJsonObject>
#include <QWidget>

class FlowLayout;
class QLabel;
class QNetworkAccessManager;
class QNetworkReply;
class QScrollArea;

// "Last your files": a tile per uploaded file with its name, its thumbnail and the buttons to
// copy its link or remove it.
class LastFiles : public QWidget
{
    Q_OBJECT

public:
    explicit LastFiles(QWidget *parent = nullptr);

    void loadFiles();
    // The name above a thumbnail: long names are cut to 20 characters and "...".
    static QString shownName(const QString &name);

signals:
    void closeWindow();

public slots:
    void loadJsonFinished(QNetworkReply *reply);
    void bt_copy_click(const QString &value);
    void bt_remove_click(const QString &value);

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QLabel *coveringLabel();
    QWidget *buildTile(const QJsonObject &entry);
    void showTiles();

    QLabel *loadingOverlay;
    QLabel *emptyLabel;
    FlowLayout *flowLayout;
    QScrollArea *scrollArea;
    QNetworkAccessManager *network;
};
