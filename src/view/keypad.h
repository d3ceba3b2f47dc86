#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// The floating keypad: builds an entry with the mouse or a finger and hands it to the active
// document when a direction key or "Room" is tapped. Closing it only hides it.
namespace plantrek {

class CKeypadDlg : public QDialog {
    Q_OBJECT
public:
    explicit CKeypadDlg(QWidget* parent = nullptr);

    // 1 meters, anything else feet and inches.
    void SetUnits(int input);
    int UnitMode() const { return unitMode_; }
    QString EntryText() const { return entry_; }

    // Keys by their label ("7", "Clear", "Room") or compass name ("N", "NE", ...).
    QPushButton* Key(const QString& name) const;
    // Shows again the entry last submitted, without its direction, after the document refused
    // it: the person corrects it rather than keying it all again.
    void RestoreEntry();

signals:
    // A direction key or "Room": the entry to hand to the document.
    void submitted(const QString& entry);
    // The user closed the keypad.
    void hiddenByUser();

public slots:
    void reject() override;

private:
    void Append(const QString& text);
    void Submit(const QString& suffix);
    void SetEntry(const QString& text);

    QLineEdit* display_;
    QPushButton* feetKey_;
    QPushButton* inchesKey_;
    QString entry_;
    QString submittedEntry_;
    int unitMode_ = 0;
};

}  // namespace plantrek
