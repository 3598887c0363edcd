#pragma once
// Modal dialogs of a test: the next ShowModal shows the form (its OnShow runs), hands it to the
// test's action as an F, and answers what the action answers.
#include <functional>

#include "platform/forms/Forms.h"

template <class F>
class OnNextModal {
public:
    explicit OnNextModal(std::function<int(F&)> action)
    {
        old_ = SetModalHandler([action](TCustomForm& form) {
            form.Show();
            const int result = action(dynamic_cast<F&>(form));
            form.Hide();
            return result;
        });
    }
    ~OnNextModal() { SetModalHandler(old_); }
    OnNextModal(const OnNextModal&) = delete;
    OnNextModal& operator=(const OnNextModal&) = delete;

private:
    TModalHandler old_;
};
