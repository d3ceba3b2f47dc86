#pragma once

#include <QDialog>

namespace plantrek {

// "About Plantrek".
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace plantrek
