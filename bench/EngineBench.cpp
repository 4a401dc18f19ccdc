// Solve on typical and on long generated texts, the whole OK command, and, where their
// libraries are installed, muParser and fparser on the same expressions, one-shot parse and
// evaluate, so every comparison is taken in one run. After the runs a short table gives ns per
// expression for each engine and our speed-up, median over the corpus.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "Equation.h"
#include "OkCommand.h"
#include "Texts.h"

#ifdef QUORBIT1_HAVE_MUPARSER
#include <muParser.h>
#endif
#ifdef QUORBIT1_HAVE_FPARSER
#include <fparser.hh>
#endif

namespace {

using namespace quorbit1::bench;

std::vector<std::string> g_corpus;

// One engine's way of parsing and evaluating a text once.
class Engine {
public:
    virtual ~Engine() = default;
    virtual const char* Name() const = 0;
    virtual std::string Prepare(const std::string& text) const { return text; }
    virtual double Run(const std::string& prepared) = 0;
};

class Ours final : public Engine {
public:
    const char* Name() const override { return "quorbit1"; }
    double Run(const std::string& text) override {
        m_eq.m_text = text;
        m_eq.Solve();
        return m_eq.m_result;
    }

private:
    quorbit1::CEquation m_eq;
};

#ifdef QUORBIT1_HAVE_MUPARSER
class MuParser final : public Engine {
public:
    MuParser() {
        m_parser.DefineVar("x", &m_vars[0]);
        m_parser.DefineVar("y", &m_vars[1]);
        m_parser.DefineVar("z", &m_vars[2]);
        m_parser.DefineVar("t", &m_vars[3]);
    }
    const char* Name() const override { return "muparser"; }
    std::string Prepare(const std::string& text) const override { return ForMuParser(text); }
    double Run(const std::string& text) override {
        try {
            m_parser.SetExpr(text);
            return m_parser.Eval();
        } catch (const mu::Parser::exception_type&) {
            return 0.0;  // a text it cannot take (one too long for it) still costs the attempt
        }
    }

private:
    double m_vars[4] = {0.5, 1.5, 2.5, 3.5};
    mu::Parser m_parser;
};
#endif

#ifdef QUORBIT1_HAVE_FPARSER
class FParser final : public Engine {
public:
    const char* Name() const override { return "fparser"; }
    std::string Prepare(const std::string& text) const override { return ForFParser(text); }
    double Run(const std::string& text) override {
        if (m_parser.Parse(text, "x,y,z,t") >= 0) {
            return 0.0;
        }
        return m_parser.Eval(m_vars);
    }

private:
    double m_vars[4] = {0.5, 1.5, 2.5, 3.5};
    FunctionParser m_parser;
};
#endif

template <class E>
void RegisterEngine() {
    auto engine = std::make_shared<E>();
    std::vector<std::string> prepared;
    for (const std::string& text : g_corpus) {
        prepared.push_back(engine->Prepare(text));
    }
    const std::string name = engine->Name();
    benchmark::RegisterBenchmark(
        (name + "/typical").c_str(), [engine, prepared](benchmark::State& state) {
            for (auto _ : state) {
                for (const std::string& text : prepared) {
                    benchmark::DoNotOptimize(engine->Run(text));
                }
            }
            state.SetItemsProcessed(state.iterations() * static_cast<long>(prepared.size()));
        });
    // One benchmark per expression, for the median of the per-expression ratios.
    for (std::size_t i = 0; i < prepared.size(); ++i) {
        benchmark::RegisterBenchmark(("expr/" + std::to_string(i) + "/" + name).c_str(),
                                     [engine, text = prepared[i]](benchmark::State& state) {
                                         for (auto _ : state) {
                                             benchmark::DoNotOptimize(engine->Run(text));
                                         }
                                     })
            ->MinTime(0.01);
    }
    for (std::size_t length : {100u, 1000u, 10000u, 100000u}) {
        const std::string text = engine->Prepare(SumOfProducts(length));
        benchmark::RegisterBenchmark((name + "/sum/" + std::to_string(length)).c_str(),
                                     [engine, text](benchmark::State& state) {
                                         for (auto _ : state) {
                                             benchmark::DoNotOptimize(engine->Run(text));
                                         }
                                     });
    }
}

void RegisterOursOnly() {
    for (std::size_t length : {100u, 1000u, 10000u, 100000u}) {
        for (const auto& [shape, make] :
             {std::pair{"nesting", &DeepNesting}, std::pair{"signs", &ChangesOfSign},
              std::pair{"worst", &DoubledCounts}}) {
            const std::string text = make(length);
            benchmark::RegisterBenchmark(
                (std::string("quorbit1/") + shape + "/" + std::to_string(length)).c_str(),
                [text](benchmark::State& state) {
                    quorbit1::CEquation eq;
                    for (auto _ : state) {
                        eq.m_text = text;
                        eq.Solve();
                        benchmark::DoNotOptimize(eq.m_result);
                    }
                });
        }
    }
    benchmark::RegisterBenchmark("quorbit1/ok_command/typical", [](benchmark::State& state) {
        quorbit1::CEquation equation;
        for (auto _ : state) {
            for (const std::string& text : g_corpus) {
                benchmark::DoNotOptimize(quorbit1::RunOkCommand(equation, text, 0).answer);
            }
        }
        state.SetItemsProcessed(state.iterations() * static_cast<long>(g_corpus.size()));
    });
}

// Keeps every run's time per iteration by name, and prints the results as usual.
class Collector final : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
                std::string name = run.benchmark_name();
                name = name.substr(0, name.find("/min_time:"));
                times[name] = run.GetAdjustedRealTime();  // ns
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

double Median(std::vector<double> v) {
    if (v.empty()) {
        return 0.0;
    }
    std::sort(v.begin(), v.end());
    return v.size() % 2 == 1 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

void PrintTable(const Collector& c, const std::vector<std::string>& engines) {
    const auto time = [&c](const std::string& name) {
        const auto it = c.times.find(name);
        return it == c.times.end() ? 0.0 : it->second;
    };
    std::printf("\n%-10s %14s %14s %16s %14s\n", "engine", "ns/expr mean", "ns/expr median",
                "10,000 chars us", "our speed-up");
    const std::size_t n = g_corpus.size();
    for (const std::string& e : engines) {
        std::vector<double> own;
        std::vector<double> ratios;
        for (std::size_t i = 0; i < n; ++i) {
            const double t = time("expr/" + std::to_string(i) + "/" + e);
            const double ours = time("expr/" + std::to_string(i) + "/quorbit1");
            own.push_back(t);
            if (ours > 0) {
                ratios.push_back(t / ours);
            }
        }
        const double mean = time(e + "/typical") / static_cast<double>(n);
        const double longText = time(e + "/sum/10000") / 1000.0;
        const double oursLong = time("quorbit1/sum/10000") / 1000.0;
        char speedup[64] = "-";
        if (e != "quorbit1") {
            std::snprintf(speedup, sizeof speedup, "%.1fx (long %.1fx)", Median(ratios),
                          oursLong > 0 ? longText / oursLong : 0.0);
        }
        std::printf("%-10s %14.0f %14.0f %16.1f %14s\n", e.c_str(), mean, Median(own), longText,
                    speedup);
    }
    std::printf("\nquorbit1 long texts (us): ");
    for (const char* shape : {"sum", "nesting", "signs", "worst"}) {
        std::printf("%s", shape);
        for (const char* len : {"100", "1000", "10000", "100000"}) {
            std::printf(" %s:%.1f", len,
                        time(std::string("quorbit1/") + shape + "/" + len) / 1000.0);
        }
        std::printf("; ");
    }
    std::printf("\nOK command on the corpus: %.0f ns per expression\n",
                time("quorbit1/ok_command/typical") / static_cast<double>(n));
}

}  // namespace

int main(int argc, char** argv) {
    g_corpus = LoadCorpus(QUORBIT1_BENCH_CORPUS);
    if (g_corpus.empty()) {
        std::fprintf(stderr, "no corpus at %s\n", QUORBIT1_BENCH_CORPUS);
        return 1;
    }
    std::vector<std::string> engines = {"quorbit1"};
    RegisterEngine<Ours>();
#ifdef QUORBIT1_HAVE_FPARSER
    RegisterEngine<FParser>();
    engines.emplace_back("fparser");
#endif
#ifdef QUORBIT1_HAVE_MUPARSER
    RegisterEngine<MuParser>();
    engines.emplace_back("muparser");
#endif
    RegisterOursOnly();
    benchmark::Initialize(&argc, argv);
    Collector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    PrintTable(collector, engines);
    benchmark::Shutdown();
    return 0;
}
