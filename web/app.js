// The page's wiring: the window's four controls, its keys and its message box, tied to
// the converter's WebAssembly module (zorv-words.js), which does all the converting and
// decides what each key typed into the input box does. Nothing here knows a rule of
// its own.
"use strict";

(() => {
  const txtnumber = document.getElementById("txtnumber");
  const cmdresult = document.getElementById("cmdresult");
  const txtword = document.getElementById("txtword");
  const message = document.getElementById("message");
  const messageText = document.getElementById("message-text");

  const OUT_OF_MEMORY = "Out of memory";
  const encoder = new TextEncoder();
  const decoder = new TextDecoder();
  let module = null;
  let C = null;  // the C interface's constants, from the module
  let converter = 0;
  let out = 0;  // the answer's char* and size_t, four bytes each
  let input = 0;  // room for the input's UTF-8, kept from call to call
  let room = 0;

  // Writes `text` into the module's memory at `input` as UTF-8; gives its length in
  // bytes. A text of ASCII, as typed numbers are, is copied a character at a time:
  // intended for speed, it takes a tenth of TextEncoder.encodeInto's time for texts
  // this short and brings a conversion from the page within ten times the native
  // command's time (scripts/measure-web.py, bench/README.md).
  function writeInput(text) {
    const heap = module.HEAPU8;
    for (let i = 0; i < text.length; ++i) {
      const code = text.charCodeAt(i);
      if (code >= 0x80) return encoder.encodeInto(text, heap.subarray(input, input + room)).written;
      heap[input + i] = code;
    }
    return text.length;
  }

  // Runs the Convert command in the module on `text`: its status (C.ZORV_WORDS or a
  // message) and the words or the message, exactly.
  // A text too long for the memory left is answered with OUT_OF_MEMORY, and the room
  // held so far is kept for the next.
  function convert(text) {
    if (room < 3 * text.length) {  // UTF-8 takes at most three bytes per UTF-16 unit
      const size = Math.max(3 * text.length, 256);
      const grown = module._malloc(size);
      if (!grown) return { status: C.ZORV_FAILURE, text: OUT_OF_MEMORY };
      module._free(input);
      input = grown;
      room = size;
    }
    const status = module._zorv_convert(converter, input, writeInput(text), out, out + 4);
    const words = module.HEAPU32[out >> 2];
    const length = module.HEAPU32[(out + 4) >> 2];
    const result = words ? decoder.decode(module.HEAPU8.subarray(words, words + length)) : OUT_OF_MEMORY;
    module._zorv_string_free(words);
    return { status, text: result };
  }

  // The code of the control character a key types, as the desktop window reads its
  // keyboard: Enter 13, Backspace 8, Escape 27, Ctrl with a letter the letter's place
  // in the alphabet. Null for every other key: printable characters arrive as text
  // (typed, or committed by an input method), and keys that type nothing (arrows,
  // Home, End, Delete, Tab, function keys) act as usual.
  function controlCode(event) {
    switch (event.key) {
      case "Enter": return 13;
      case "Backspace": return 8;
      case "Escape": return 27;
    }
    if (event.ctrlKey && !event.altKey) {
      if (/^[a-z]$/i.test(event.key)) return event.key.toUpperCase().charCodeAt(0) - 64;
      return { "[": 27, "\\": 28, "]": 29 }[event.key] ?? null;
    }
    return null;
  }

  // The code of a typed character: its Latin-1 code, or 63 ("?") beyond Latin-1.
  function characterCode(character) {
    const code = character.codePointAt(0);
    return code <= 0xff ? code : 63;
  }

  function showMessage(text) {
    messageText.textContent = text;
    message.showModal();
  }

  function cmdresult_Click() {
    const outcome = convert(txtnumber.value);
    if (outcome.status !== C.ZORV_WORDS) {
      showMessage(outcome.text);
      return;
    }
    txtword.value = outcome.text;
    txtword.setSelectionRange(0, 0);  // a long answer is read from its first word
    txtword.scrollLeft = 0;
  }

  // Each character typed into the input box goes to the module's rule: Enter
  // converts; the others are kept or discarded, and empty the output box.
  txtnumber.addEventListener("keydown", (event) => {
    const code = controlCode(event);
    if (code === null) return;
    const action = module._zorv_input_key_action(code);
    if (action === C.ZORV_KEY_CONVERT) {
      event.preventDefault();
      cmdresult_Click();
      return;
    }
    if (action === C.ZORV_KEY_DISCARD) event.preventDefault();
    txtword.value = "";
  });
  txtnumber.addEventListener("beforeinput", (event) => {
    if (event.inputType !== "insertText" || event.data === null) return;  // pasted text is not filtered
    const typed = [...event.data];
    const kept = typed.filter((c) => module._zorv_input_key_action(characterCode(c)) !== C.ZORV_KEY_DISCARD);
    txtword.value = "";
    if (kept.length === typed.length) return;
    event.preventDefault();
    if (kept.length > 0) txtnumber.setRangeText(kept.join(""), txtnumber.selectionStart, txtnumber.selectionEnd, "end");
  });
  // The output box takes no typed character; Delete and the editing commands still act.
  txtword.addEventListener("keydown", (event) => {
    if (controlCode(event) !== null) event.preventDefault();
  });
  txtword.addEventListener("beforeinput", (event) => {
    if (event.inputType === "insertText") event.preventDefault();
  });
  cmdresult.addEventListener("click", cmdresult_Click);
  message.addEventListener("close", () => txtnumber.focus());

  // The input box takes typing once the module is there to answer it.
  txtnumber.readOnly = true;
  ZorvWordsModule().then((loaded) => {
    module = loaded;
    C = module.constants;
    converter = module._zorv_converter_new();
    out = module._malloc(8);
    window.zorvWords = { convert, module };  // for tests and the console
    txtnumber.readOnly = false;
    txtnumber.focus();
    document.documentElement.dataset.ready = "true";
    performance.mark("ready");
  });
})();
