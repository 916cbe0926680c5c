vantorel_fuzzer(Level vantorel_world)
