vantorel_fuzzer(Wav vantorel_sound)
