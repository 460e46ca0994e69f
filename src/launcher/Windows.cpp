#include "Windows.h"

#include "AppContext.h"
#include "Unit1.h"

#include "dialogs/Unit2.h"
#include "dialogs/Unit4.h"

Windows::Windows(AppContext &context)
    : m_context(context)
{
    m_form1 = std::make_unique<TForm1>(context);
    context.form1 = m_form1.get();
    m_form1->FormCreate();
    m_form1->show();

    m_form2 = std::make_unique<TForm2>(context);
    context.form2 = m_form2.get();
    m_form4 = std::make_unique<TForm4>(context);
    context.form4 = m_form4.get();
    m_form4->FormCreate();
}

Windows::~Windows()
{
    m_context.form4 = nullptr;
    m_form4.reset();
    m_context.form2 = nullptr;
    m_form2.reset();
    m_context.form1 = nullptr;
    m_form1.reset();
}
