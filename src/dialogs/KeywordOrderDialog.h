#pragma once

#include "ui/ReleasingDialog.h"

class KeywordOrderModel;
class KeywordReadings;
class KeywordOrderView;
class KeywordStore;
class QLabel;
class QPushButton;
class Settings;
class TargetCheck;
struct AppContext;

// The keyword maintenance window: the keywords of data.lst as rows, dragged within the list
// to change their order, a row only ever landing among those sharing its first character.
// Each row tells how much of it must be typed before completion offers it, and marks a
// keyword that completion never offers or whose target is gone. "OK" writes the order.
//
// It is made at start-up with the other windows but builds its controls only when first
// opened: start-up pays for an empty window, not for a list and its Japanese captions. The
// list and its rows live while the window is open.
class KeywordOrderDialog : public ReleasingDialog
{
    Q_OBJECT

public:
    // The readings, where the settings use them, are those made for the main window: this
    // window never reads the dictionary itself.
    KeywordOrderDialog(AppContext &context, KeywordStore &store, const KeywordReadings &readings,
                       const Settings &settings, QWidget *parent = nullptr);
    ~KeywordOrderDialog() override;

    // Fills the rows from data.lst as it is now and shows the window modally with its outer
    // corner at the position. A data.lst that cannot be read is reported instead.
    void openAt(QPoint position);

    // What a drop on `target` does: the selected row goes directly before it, when both
    // begin with the same character, letter case ignored. Answers whether the rows changed.
    bool moveSelectedOnto(int target);
    // Moves the selected row one place up (-1) or down (+1) within its first character.
    bool stepSelected(int step);

    // "OK": data.lst takes the rows' order, and the keyword list with it.
    void confirm();

signals:
    // The look at the entries' targets started by the last opening has gone through them all.
    void targetsChecked();

protected:
    void done(int result) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void moveEvent(QMoveEvent *event) override;

private:
    void build();
    void makeList();
    void fill(const QStringList &keywords);
    void showSummary();
    // The list above the summary, which takes the lines its text needs.
    void layOutSummary();
    // A move between different first characters is refused; the status line says why until
    // another row is chosen or a move succeeds.
    void refuseMove();
    void fitOuterSize();

    AppContext &m_context;
    KeywordStore &m_store;
    const KeywordReadings &m_readings;
    const Settings &m_settings;
    KeywordOrderModel *m_model = nullptr;
    KeywordOrderView *m_list = nullptr;
    QLabel *m_summary = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
    TargetCheck *m_check = nullptr;
    bool m_outerSizeFitted = false;
    bool m_moveRefused = false;
};
