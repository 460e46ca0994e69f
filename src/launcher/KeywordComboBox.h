#pragma once

#include <QComboBox>

// The input line's combo box. Its drop-down list is built only when first opened, with
// rows of one height, so that neither start-up nor opening it measures a long keyword list
// item by item.
class KeywordComboBox : public QComboBox
{
    Q_OBJECT

public:
    using QComboBox::QComboBox;

    void showPopup() override;

private:
    bool m_listReady = false;
};
