// What a user would write instead of the command line for a batch: read each line, parse and
// evaluate it with fparser, print the value with %.15g.
#include <fparser.hh>

#include <cstdio>
#include <iostream>
#include <string>

int main() {
    std::ios::sync_with_stdio(false);
    FunctionParser parser;
    const double vars[4] = {0, 0, 0, 0};
    std::string line;
    while (std::getline(std::cin, line)) {
        const double value = parser.Parse(line, "x,y,z,t") >= 0 ? 0.0 : parser.Eval(vars);
        std::printf("%.15g\n", value);
    }
    return 0;
}
