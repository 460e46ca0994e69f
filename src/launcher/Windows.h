#pragma once

#include <memory>

struct AppContext;
class TForm1;
class TForm2;
class TForm4;

// Every window of the program, made in the fixed order of start-up: the main window runs
// its start-up and appears, then the dialogs are made hidden, each loading what it shows.
// They live until the end and are entered into the context as they come.
class Windows
{
public:
    explicit Windows(AppContext &context);
    ~Windows();

    TForm1 &form1() const { return *m_form1; }
    TForm2 &form2() const { return *m_form2; }
    TForm4 &form4() const { return *m_form4; }

private:
    AppContext &m_context;
    std::unique_ptr<TForm1> m_form1;
    std::unique_ptr<TForm2> m_form2;
    std::unique_ptr<TForm4> m_form4;
};
