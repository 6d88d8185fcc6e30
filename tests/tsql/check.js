// Parses SQL Server scripts (batches separated by GO) with a T-SQL grammar; exits 1 naming the
// file, the batch and the parser's message on the first batch that does not parse.
const fs = require("fs");
const { Parser } = require("node-sql-parser");
const parser = new Parser();
const opt = { database: "TransactSQL" };

// The grammar knows no function definitions: check their frame, then parse the returned
// expression as a query with the parameters replaced by values.
const fn = /^CREATE FUNCTION dbo\.\w+\((@\w+ (INT|VARCHAR\(\d+\))(, )?)+\)\nRETURNS MONEY\nAS\nBEGIN\n {4}RETURN ([\s\S]*)\nEND$/;
const simple = [/^SET NOCOUNT ON$/, /^SET IDENTITY_INSERT \w+ (ON|OFF)$/, /^USE \[\w+\]$/,
                /^ALTER DATABASE CURRENT COLLATE Modern_Spanish_CI_AS$/];
const bom = "\uFEFF";

let failed = 0;
for (const file of process.argv.slice(2)) {
  let text = fs.readFileSync(file, "utf8");
  // sqlcmd reads a file as UTF-8 only when it starts with the byte order mark.
  if (!text.startsWith(bom)) {
    console.log(`${file}: no UTF-8 byte order mark`);
    failed++;
  }
  text = text.replace(/^\uFEFF/, "");
  // The schema scripts give the database its collation before anything else.
  if (!/demo_/.test(file) && !/^SET NOCOUNT ON\r?\nGO\r?\nALTER DATABASE CURRENT COLLATE Modern_Spanish_CI_AS\r?\nGO/.test(text)) {
    console.log(`${file}: the database collation is not set first`);
    failed++;
  }
  const batches = text.split(/\r?\nGO\r?\n/).map((b) => b.trim()).filter((b) => b);
  batches.forEach((batch, i) => {
    if (batch === "GO" || simple.some((r) => r.test(batch))) return;
    let sql = batch;
    const m = fn.exec(batch);
    if (batch.startsWith("CREATE FUNCTION")) {
      if (!m) {
        console.log(`${file}: batch ${i + 1}: malformed function frame`);
        failed++;
        return;
      }
      sql = "SELECT " + m[4].replace(/@\w+/g, "1");
    }
    try {
      parser.astify(sql, opt);
    } catch (e) {
      console.log(`${file}: batch ${i + 1}: ${e.message}\n${batch.slice(0, 300)}`);
      failed++;
    }
  });
}
process.exit(failed ? 1 : 0);
