#include "app/forms.h"

#include <memory>

namespace {
std::unique_ptr<Forms> theForms;
}

Forms& forms()
{
    if (!theForms) theForms = std::make_unique<Forms>();
    return *theForms;
}

void discardForms() { theForms.reset(); }
