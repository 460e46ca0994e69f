// Replaced by the calculator.
