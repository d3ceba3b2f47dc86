#pragma once

#include <functional>

class QPrinter;
class QWidget;

// The printing dialogs, behind an interface so tests can stand in for the modal ones.
namespace plantrek {

class PrintDialogs {
public:
    virtual ~PrintDialogs() = default;
    // File > Print Setup...: paper and margins. False when cancelled.
    virtual bool SetUpPage(QPrinter& printer, QWidget* parent) = 0;
    // File > Print...: the printer and its options. False when cancelled.
    virtual bool ChoosePrinter(QPrinter& printer, QWidget* parent) = 0;
    // File > Print Preview...: shows what `paint` draws on the printer, which may print it.
    virtual void Preview(QPrinter& printer, QWidget* parent,
                         const std::function<void(QPrinter*)>& paint) = 0;
};

// The Qt Print Support dialogs.
class QtPrintDialogs : public PrintDialogs {
public:
    bool SetUpPage(QPrinter& printer, QWidget* parent) override;
    bool ChoosePrinter(QPrinter& printer, QWidget* parent) override;
    void Preview(QPrinter& printer, QWidget* parent,
                 const std::function<void(QPrinter*)>& paint) override;
};

}  // namespace plantrek
