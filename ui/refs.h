#pragma once
// How handlers reach the controls of a screen. A Ref names one control, an Array a control array;
// both live as long as their screen object, across every unload. Touching a control of a screen
// that is not loaded loads the screen first, and an unload leaves every Ref empty until then.
// A Slot says where a design puts the control it makes.
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>

#include <QCoreApplication>

#include "ui/form.h"

namespace ui {

class RefBase {
public:
    virtual ~RefBase() = default;
    virtual void unbind() = 0;
};

[[noreturn]] inline void controlFault(const char* what, int index)
{
    std::fprintf(stderr, "%s: %s (element %d)\n", qUtf8Printable(QCoreApplication::applicationName()), what, index);
    std::abort();
}

template <class T>
class Slot;

template <class T>
class Ref : public RefBase {
public:
    using Kind = T;
    explicit Ref(Form* form) : form_(form) { form->registerRef(this); }

    T* operator->() { return &get(); }
    T& get()
    {
        if (!live_) form_->load();
        return *live_;
    }

    // The handler of the control's event (Click, Change or Timer)
    void on(std::function<void()> handler) { handler_ = std::move(handler); }

    void bind(T* control)
    {
        live_ = control;
        control->event = [this] { if (handler_) handler_(); };
    }
    void unbind() override { live_ = nullptr; }

private:
    Form* form_;
    T* live_ = nullptr;
    std::function<void()> handler_;
};

template <class T>
class Array : public RefBase {
public:
    explicit Array(Form* form) : form_(form) { form->registerRef(this); }

    T* operator()(int index)
    {
        form_->load();
        auto found = live_.find(index);
        if (found == live_.end()) controlFault("control array element does not exist", index);
        return found->second;
    }
    bool exists(int index)
    {
        form_->load();
        return live_.count(index) != 0;
    }
    int count()
    {
        form_->load();
        return int(live_.size());
    }

    // Where a design puts element `index`
    Slot<T> operator[](int index) { return {*this, index}; }

    // Creates element `index` as a hidden copy of the lowest-numbered element
    void load(int index)
    {
        form_->load();
        if (live_.empty()) controlFault("control array has no element to copy", index);
        if (live_.count(index)) controlFault("control array element already loaded", index);
        T& copy = form_->adopt(live_.begin()->second->cloneHidden(form_->window()));
        bind(index, &copy);
    }

    // The handler of the elements' event, told the element's index
    void on(std::function<void(int)> handler) { handler_ = std::move(handler); }

    void bind(int index, T* control)
    {
        live_[index] = control;
        control->event = [this, index] { if (handler_) handler_(index); };
    }
    void unbind() override { live_.clear(); }

private:
    Form* form_;
    std::map<int, T*> live_;
    std::function<void(int)> handler_;
};

// Where a design puts a control it makes: a Ref, which converts by itself, or array[index]
template <class T>
class Slot {
public:
    using Kind = T;
    Slot(Ref<T>& ref) : ref_(&ref) {}
    Slot(Array<T>& array, int index) : array_(&array), index_(index) {}

    void bind(T* control) const { ref_ ? ref_->bind(control) : array_->bind(index_, control); }

private:
    Ref<T>* ref_ = nullptr;
    Array<T>* array_ = nullptr;
    int index_ = 0;
};

}  // namespace ui
