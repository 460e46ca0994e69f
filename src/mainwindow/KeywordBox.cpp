#include "KeywordBox.h"

#include "KeywordLineEdit.h"
#include "KeywordListModel.h"

#include "keywords/KeywordStore.h"

#include <QComboBox>
#include <QListView>

#include <algorithm>

KeywordBox::KeywordBox(KeywordStore &store, QWidget &window)
    : QObject(&window)
{
    auto *model = new KeywordListModel(store, &window);

    m_box = new QComboBox(&window);
    m_box->setObjectName(QStringLiteral("keywordBox"));
    m_box->setEditable(true);
    m_input = new KeywordLineEdit(store, m_box);
    m_input->setObjectName(QStringLiteral("input"));
    m_box->setLineEdit(m_input);
    m_box->setCompleter(nullptr);
    m_box->setInsertPolicy(QComboBox::NoInsert);
    // A long keyword list must not be measured item by item for the box's size.
    m_box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_box->setModel(model);
    // Rows of one height: opening the list never measures a long keyword list row by row.
    if (auto *list = qobject_cast<QListView *>(m_box->view()))
        list->setUniformItemSizes(true);
    m_box->setCurrentIndex(-1);
    connect(&store, &KeywordStore::listAboutToChange, this,
            [this] { m_textBeforeReload = m_input->text(); });
    connect(&store, &KeywordStore::listChanged, this, [this] {
        m_box->setCurrentIndex(-1);
        m_input->setText(m_textBeforeReload);
    });
    connect(m_box, &QComboBox::activated, this, [this, &store](int row) {
        m_input->setText(store.keywords().value(row));
        m_input->picked(row);
    });
    connect(m_input, &QLineEdit::textChanged, this, &KeywordBox::fitStandIn);
}

void KeywordBox::fitStandIn()
{
    // A width other than the one given for the clock is the layout's.
    if (m_box->width() != m_widenedTo)
        m_laidWidth = m_box->width();
    int width = m_laidWidth;
    if (m_input->showsStandIn()) {
        // The line's own margins and the list's button around the text.
        constexpr int Margins = 6;
        const int needed = m_input->fontMetrics().horizontalAdvance(m_input->text()) + Margins
                           + m_box->width() - m_input->width();
        const int room = m_box->parentWidget()->width() - m_box->x();
        width = std::max(m_laidWidth, std::min(needed, room));
    }
    m_widenedTo = width != m_laidWidth ? width : -1;
    if (width == m_box->width())
        return;
    m_box->resize(width, m_box->height());
    m_box->raise();
}
