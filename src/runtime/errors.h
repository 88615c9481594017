// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <exception>
#include <functional>

namespace rt {

// The kinds of runtime error that the program can meet.
enum class ErrorKind {
    Overflow,             // a result outside its type's range
    DivisionByZero,       // a finite number divided by zero
    InvalidOperation,     // a floating-point operation without a result (0/0, inf - inf ...)
    TypeMismatch,         // a text that is no number where a number is needed
    InvalidPropertyValue, // a value that a control refuses
    OutOfMemory,
    Internal // any other failure inside a handler
};

// The one error type of the form runtime.
class RuntimeError : public std::exception {
public:
    explicit RuntimeError(ErrorKind kind) : kind_(kind) {}
    ErrorKind kind() const noexcept { return kind_; }
    // The name of the error, as the runtime's message shows it ("Overflow").
    QString name() const;
    const char* what() const noexcept override;

private:
    ErrorKind kind_;
};

[[noreturn]] void raiseError(ErrorKind kind);

// Runs an event handler. No error unwinds past this boundary (and so never
// through Qt's signal code). An error that ends a handler outside
// error-skipping mode shows one modal message naming it and ends the program
// with exit status 1; where nobody can answer a message (no QApplication, or
// Qt's offscreen or minimal platform) the message goes to standard error.
// Once an error has ended the program, no further handler runs (the message
// box's own event loop can still deliver events).
void runHandler(const std::function<void()>& handler);

// Error-skipping mode for the statements of one handler: each statement runs
// on its own, and one that raises a runtime error is abandoned without a
// message; the handler goes on with the next one. Handlers that run nested
// inside a statement (the change handler of a scroll bar whose value is
// assigned) keep their own boundary and so their own failure behaviour.
class ErrorSkipping {
public:
    template <class Statement>
    void operator()(Statement&& statement) const
    {
        try {
            statement();
        } catch (const RuntimeError&) {
            // abandoned: the next statement runs
        }
    }
};

} // namespace rt
