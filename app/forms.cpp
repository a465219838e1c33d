#include "app/forms.h"

namespace {
// A plain pointer, not an owning object: when the window system goes away, the toolkit ends the
// program with exit() from inside the event loop and tears itself down in the exit handlers; the
// screens must then be left alone, as destroying them would call into what is already gone.
// discardForms() destroys them on every ordinary way out.
Forms* theForms = nullptr;
}  // namespace

void makeForms(ui::Stage& stage)
{
    discardForms();
    theForms = new Forms(stage);
}

Forms& forms()
{
    Q_ASSERT(theForms);
    return *theForms;
}

void discardForms()
{
    delete theForms;
    theForms = nullptr;
}
