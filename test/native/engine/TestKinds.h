#pragma once
// The eight test threads, each made with ordinary arguments on a fixture's disk.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "EngineFixture.h"
#include "engine/RandomTestThread.h"
#include "engine/RepeatTestThread.h"
#include "engine/SeekTestThread.h"
#include "engine/SequentialTestThread.h"

namespace sektra {

struct TestKind {
    std::string name;
    std::function<std::unique_ptr<TestThread>(EngineFixture&, std::uint32_t tpsLow)> make;
};

inline std::vector<TestKind> AllTestKinds() {
    return {
        {"sequential read", [](EngineFixture& d, std::uint32_t tps) -> std::unique_ptr<TestThread> {
             return std::make_unique<SequentialReadTestThread>(d.Window(), d.GetDevice(), tps, 0, 1, 16, 0, 10, 201);
         }},
        {"sequential write", [](EngineFixture& d, std::uint32_t tps) -> std::unique_ptr<TestThread> {
             return std::make_unique<SequentialWriteTestThread>(d.Window(), d.GetDevice(), tps, 0, 1, 16, 0, 10, 201);
         }},
        {"random read", [](EngineFixture& d, std::uint32_t tps) -> std::unique_ptr<TestThread> {
             return std::make_unique<RandomReadTestThread>(d.Window(), d.GetDevice(), tps, 0, 1, 16, 0, 100, 801);
         }},
        {"random write", [](EngineFixture& d, std::uint32_t tps) -> std::unique_ptr<TestThread> {
             return std::make_unique<RandomWriteTestThread>(d.Window(), d.GetDevice(), tps, 0, 1, 16, 0, 100, 801);
         }},
        {"seek", [](EngineFixture& d, std::uint32_t tps) -> std::unique_ptr<TestThread> {
             return std::make_unique<SeekTestThread>(d.Window(), d.GetDevice(), tps, 0, 1, 0, 10006, 1000, 1, 201);
         }},
        {"cache hit", [](EngineFixture& d, std::uint32_t tps) -> std::unique_ptr<TestThread> {
             return std::make_unique<CacheHitTestThread>(d.Window(), d.GetDevice(), tps, 0, 1, 16, 201);
         }},
        {"read buffer", [](EngineFixture& d, std::uint32_t tps) -> std::unique_ptr<TestThread> {
             return std::make_unique<ReadBufferTestThread>(d.Window(), d.GetDevice(), tps, 0, 1, 8, 201);
         }},
        {"write buffer", [](EngineFixture& d, std::uint32_t tps) -> std::unique_ptr<TestThread> {
             return std::make_unique<WriteBufferTestThread>(d.Window(), d.GetDevice(), tps, 0, 1, 8, 201);
         }},
    };
}

}  // namespace sektra
