// The query form's own checks, made before a query is sent; its values
// taken from its address (query.html?min_z_abs=1.5&...), so that any
// answer's address reopens as a query to change; the catalogue's line
// names offered for the ion name; and the button that sends the query's
// table to TOPCAT over SAMP.  Without this script the form works as
// before, and catalix-cgi checks every value again in any case.
(function () {
  "use strict";
  const form = document.getElementById("query");
  if (!form) return;
  // Each interval's quantity, as its lower bound's field names it.
  const intervals = [...form.elements].filter((f) => f.name.startsWith("min_")).map((f) => f.name.slice(4));
  const ion = form.elements.ion_name;
  let names = null;  // name -> its number of lines, once catalix-cgi has sent them
  let held = "";     // the ion name whose hint has held back one sending

  // The white space that catalix-cgi leaves aside around a value.
  const trimmed = (text) => text.replace(/^[ \t\n\v\f\r]+|[ \t\n\v\f\r]+$/g, "");
  const squeezed = (text) => text.replace(/[ \t\n\v\f\r]+/g, "").toLowerCase();
  const lines = (count) => count + (count === 1 ? " line" : " lines");

  function say(cell, text) {
    cell.textContent = text;
    cell.style.color = "#c00000";
  }

  // A bound's fault, in the words of catalix-cgi's refusals; "" for none.
  function fault(field) {
    const text = trimmed(field.value);
    if (text === "") return "is empty";
    if (field.validity.patternMismatch) return "is not a decimal number, such as 2.5, -1 or 1e5";
    if (!isFinite(Number(text))) return "is not a finite number";
    return "";
  }

  // Both bounds of one interval; the first fault is said next to them.
  function checkInterval(quantity) {
    const low = form.elements["min_" + quantity], high = form.elements["max_" + quantity];
    let text = "";
    for (const field of [low, high]) {
      const why = fault(field);
      field.setCustomValidity(why && "The " + document.getElementById(field.id + "_label").textContent + " " + why + ".");
      text = text || field.validationMessage;
    }
    if (!text && Number(trimmed(low.value)) > Number(trimmed(high.value))) {
      text = "The lower bound is above the upper bound: no value lies between them.";
      low.setCustomValidity(text);
    }
    say(document.getElementById(quantity + "_problem"), text);
  }

  // A name that no line carries, where one differs from it only in blanks
  // or case: the program compares names as they are written.
  function checkName() {
    const cell = document.getElementById("ion_name_problem");
    const name = trimmed(ion.value);
    cell.textContent = "";
    if (!names || name === "" || name.startsWith("All") || names.has(name)) return false;
    const near = [...names.keys()].filter((known) => squeezed(known) === squeezed(name));
    if (near.length === 0) return false;
    say(cell, "No line of the catalogue is named \"" + name + "\"; upper and lower case and blanks count. ");
    for (const known of near) {
      const use = document.createElement("button");
      use.type = "button";
      use.textContent = "Use " + known + " (" + lines(names.get(known)) + ")";
      use.addEventListener("click", () => { ion.value = known; checkName(); });
      cell.appendChild(use);
    }
    return true;
  }

  const checkAll = () => { intervals.forEach(checkInterval); checkName(); };

  const given = new URLSearchParams(location.search);
  for (const field of form.elements) {
    if (!field.name || !given.has(field.name)) continue;
    const value = given.get(field.name);
    if (field.tagName === "SELECT" && ![...field.options].some((o) => o.value === value)) continue;
    field.value = value;
  }
  for (const quantity of intervals) {
    for (const side of ["min_", "max_"]) {
      form.elements[side + quantity].addEventListener("input", () => checkInterval(quantity));
    }
  }
  ion.addEventListener("input", checkName);
  form.addEventListener("reset", () => setTimeout(checkAll, 0));
  form.addEventListener("submit", (event) => {
    checkAll();
    // The hint holds back the first sending of a name; a second one goes.
    if (checkName() && held !== ion.value) {
      held = ion.value;
      event.preventDefault();
      document.getElementById("ion_name_problem").prepend("Press Search again to send it as it is. ");
      ion.focus();
    }
  });
  checkAll();

  // Send to TOPCAT: the query's VOTable, by its absolute address, to every
  // SAMP client that takes tables (table.load.votable), through the hub's
  // Web Profile.  sampjs (samp.js) is loaded at the first press, so that
  // the page does not reach for the user's machine before it is asked to.
  const sampBox = document.getElementById("samp_box");
  const sampSay = (text) => { document.getElementById("samp_problem").textContent = text; };
  const noHub = "No SAMP hub answered on this computer. Start TOPCAT, which runs one, or a hub " +
    "alone (java -jar /usr/share/java/jsamp.jar hub), then press the button again.";
  let connector = null;

  function loadSamp() {
    return new Promise((resolve, reject) => {
      if (window.samp) return resolve(window.samp);
      window.module = {exports: {}};  // samp.js ends by exporting itself as a CommonJS module
      const script = document.createElement("script");
      script.src = "samp.js";
      script.onload = () => { delete window.module; resolve(window.samp); };
      script.onerror = () => reject(new Error("samp.js could not be loaded"));
      document.head.appendChild(script);
    });
  }

  function tableAddress() {
    const values = new URLSearchParams(new FormData(form));
    values.set("format", "votable");
    return new URL(form.getAttribute("action") + "?" + values, location.href).href;
  }

  function send(samp, url) {
    connector = connector || new samp.Connector("catalix", {"samp.name": "catalix",
      "samp.description.text": "The query form of a catalix catalogue"});
    const message = new samp.Message("table.load.votable",
      {"url": url, "table-id": url, "name": "catalix lines " + trimmed(ion.value)});
    connector.runWithConnection((connection) => connection.notifyAll([message], (sentTo) => {
      const n = sentTo.length;
      sampSay(n === 0 ? "The hub knows no program that takes tables: start TOPCAT, then press " +
        "the button again." : "Sent to " + n + (n === 1 ? " program." : " programs."));
    }, (error) => sampSay("The hub did not send it: " + error)),
    (error) => sampSay("The hub did not let this page register: " + error));
  }

  if (sampBox) {
    sampBox.hidden = false;
    document.getElementById("samp_send").addEventListener("click", () => {
      checkAll();
      if (!form.reportValidity()) return;
      const url = tableAddress();
      sampSay("Asking the SAMP hub...");
      loadSamp().then((samp) => samp.ping((running) => (running ? send(samp, url) : sampSay(noHub))))
        .catch((error) => sampSay(String(error)));
    });
    window.addEventListener("pagehide", () => { if (connector) connector.unregister(); });
  }

  fetch("catalix-cgi?names")
    .then((answer) => (answer.ok ? answer.json() : Promise.reject(answer.status)))
    .then((list) => {
      const options = document.getElementById("ion_names");
      const every = document.createElement("option");
      every.value = "All";
      every.label = "every line";
      options.appendChild(every);
      for (const entry of list.names) {
        const option = document.createElement("option");
        option.value = entry.name;
        option.label = lines(entry.lines);
        options.appendChild(option);
      }
      // A list cut short cannot tell that a name is missing.
      if (list.complete) names = new Map(list.names.map((entry) => [entry.name, entry.lines]));
      checkName();
    })
    .catch(() => {});  // without the list the form asks as before
})();
