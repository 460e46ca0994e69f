#include "KeywordComboBox.h"

#include <QListView>

void KeywordComboBox::showPopup()
{
    if (!m_listReady) {
        auto *list = new QListView(this);
        list->setUniformItemSizes(true);
        setView(list);
        m_listReady = true;
    }
    QComboBox::showPopup();
}
