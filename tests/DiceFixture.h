#pragma once

#include "window/Dice.h"

#include <QTest>

#include <memory>
#include <utility>

// A fresh runtime and a shown, active window on it, for each test function.
template <typename RuntimeType> struct DiceFixture
{
    template <typename... Args> [[nodiscard]] bool open(Args &&...args)
    {
        runtime = std::make_unique<RuntimeType>(std::forward<Args>(args)...);
        dice = std::make_unique<Dice>(*runtime);
        dice->show();
        return QTest::qWaitForWindowActive(dice.get());
    }

    void close()
    {
        dice.reset();
        runtime.reset();
    }

    std::unique_ptr<RuntimeType> runtime;
    std::unique_ptr<Dice> dice;
};
