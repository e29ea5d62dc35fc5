#pragma once

#include <initializer_list>

namespace CaDiCaL {
class Solver;
}

// Hands clauses to the solver and numbers new variables.
class ClauseSink {
public:
    explicit ClauseSink(CaDiCaL::Solver& solver) : solver_(solver) {}

    int NewVariable() { return ++variables_; }
    int Variables() const { return variables_; }
    void Add(std::initializer_list<int> literals);
    // For clauses built up literal by literal; End() closes one.
    void Literal(int literal);
    void End();

    CaDiCaL::Solver& Solver() { return solver_; }

private:
    CaDiCaL::Solver& solver_;
    int variables_ = 0;
};
