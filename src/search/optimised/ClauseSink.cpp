#include "search/optimised/ClauseSink.h"

#include <cadical.hpp>

void ClauseSink::Add(std::initializer_list<int> literals)
{
    for (const int literal : literals)
        solver_.add(literal);
    solver_.add(0);
}

void ClauseSink::Literal(int literal)
{
    solver_.add(literal);
}

void ClauseSink::End()
{
    solver_.add(0);
}
